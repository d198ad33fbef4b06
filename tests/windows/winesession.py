"""One throwaway Wine prefix for a script that starts many Windows programs:
a copy of the build's template prefix, its wine server kept running until
the session ends, then stopped and the prefix removed."""
import os
import shutil
import subprocess
import tempfile
from pathlib import Path


class WineSession:
    def __init__(self, winerun: Path):
        self.winerun = Path(winerun).resolve()
        self.template = Path(os.environ.get("VELTARA_WINE_TEMPLATE", self.winerun.parent / "wine-template"))
        self.prefix = None

    def __enter__(self):
        if not (self.template / "system.reg").exists():
            # The wrapper makes the template on its first run.
            subprocess.run([str(self.winerun), "cmd", "/c", "exit"], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Beside the template, so that its files can be hard links: a link
        # cannot cross to another file system, such as a /tmp on tmpfs.
        self.prefix = Path(tempfile.mkdtemp(prefix="veltara-wine-", dir=self.template.parent))
        if subprocess.run(["cp", "-al", f"{self.template}/.", f"{self.prefix}/"], stderr=subprocess.DEVNULL).returncode:
            shutil.rmtree(self.prefix)
            shutil.copytree(self.template, self.prefix, symlinks=True)
        for reg in self.template.glob("*.reg"):
            target = self.prefix / reg.name
            target.unlink()
            shutil.copy2(reg, target)
        self.env = dict(os.environ, VELTARA_WINE_PREFIX=str(self.prefix), WINEPREFIX=str(self.prefix))
        # A persistent server, booted once with no pipe of the caller's open,
        # so that the session's own processes never hold a program's output.
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(self.wineserver("-p"), env=self.env, check=False, **quiet)
        subprocess.run([str(self.winerun), "cmd", "/c", "exit"], env=self.env, check=False, **quiet)
        return self

    def wineserver(self, *arguments):
        """The wine server of the build's Wine, as the wrapper runs it, for the session's prefix."""
        return [str(self.winerun), "--wineserver", *arguments]

    def command(self, program, *arguments):
        return [str(self.winerun), str(program), *map(str, arguments)]

    def windows_path(self, path: Path) -> str:
        return "Z:" + str(Path(path).resolve()).replace("/", "\\")

    def __exit__(self, *_):
        subprocess.run(self.wineserver("-k"), env=self.env, check=False)
        subprocess.run(self.wineserver("-w"), env=self.env, check=False)
        shutil.rmtree(self.prefix, ignore_errors=True)
