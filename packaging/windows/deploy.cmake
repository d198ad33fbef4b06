# The Windows folder: the programs with every DLL and plug-in they load beside
# them, so that it runs on a machine with nothing installed, the licences, and
# the packages CPack makes of it (a zip and an NSIS installer).

# Qt's libraries and the plug-ins the programs load: the Windows platform, the
# JPEG reader of the pictures and the native style.
set(veltara_qt_bin ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
set(veltara_qt_plugins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
install(FILES ${veltara_qt_bin}/Qt6Core.dll ${veltara_qt_bin}/Qt6Gui.dll ${veltara_qt_bin}/Qt6Widgets.dll
    DESTINATION ${VELTARA_INSTALL_APPDIR})
install(FILES ${veltara_qt_plugins}/platforms/qwindows.dll DESTINATION ${VELTARA_INSTALL_APPDIR}/platforms)
install(FILES ${veltara_qt_plugins}/imageformats/qjpeg.dll DESTINATION ${VELTARA_INSTALL_APPDIR}/imageformats)
install(FILES ${veltara_qt_plugins}/styles/qwindowsvistastyle.dll DESTINATION ${VELTARA_INSTALL_APPDIR}/styles)
# The MinGW run-time, where the build knows it (the cross build).
if(VELTARA_MINGW_RUNTIME)
    install(FILES ${VELTARA_MINGW_RUNTIME} DESTINATION ${VELTARA_INSTALL_APPDIR})
endif()

# The program's licence, and Qt's with the word on where its source is.
set(veltara_qt_notice ${CMAKE_CURRENT_BINARY_DIR}/QT-LICENSE.txt)
set(veltara_qt_notice_text
"The Qt libraries and plug-ins in this folder (Qt6Core.dll, Qt6Gui.dll,
Qt6Widgets.dll, platforms\\, imageformats\\, styles\\) are Qt ${Qt6_VERSION}, used
under the GNU Lesser General Public License version 3, whose text follows,
together with the GNU General Public License version 3 it builds on.

Their source is Debian's qt6-base source package, version 6.4.2+dfsg-10
(https://sources.debian.org/src/qt6-base/6.4.2+dfsg-10/), built for Windows
with MinGW-w64. One line was changed for a build without OpenGL: in
src/plugins/platforms/windows/qwindowswindow.cpp, \"#if QT_CONFIG(dynamicgl)\"
became \"#if QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)\". You may replace these
DLLs with your own build of Qt ${Qt6_VERSION}.

The MinGW-w64 run-time DLLs (libstdc++-6.dll, libgcc_s_seh-1.dll,
libwinpthread-1.dll) come from Debian's gcc-mingw-w64 and mingw-w64 packages,
under the GCC Runtime Library Exception and the MIT and BSD-style licences of
MinGW-w64.
")
foreach(licence IN ITEMS LGPL-3 GPL-3)
    if(EXISTS /usr/share/common-licenses/${licence})
        file(READ /usr/share/common-licenses/${licence} text)
        string(APPEND veltara_qt_notice_text "\n\n======== ${licence} ========\n\n${text}")
    endif()
endforeach()
string(REPLACE "\n" "\r\n" veltara_qt_notice_text "${veltara_qt_notice_text}")
file(CONFIGURE OUTPUT ${veltara_qt_notice} CONTENT "${veltara_qt_notice_text}" @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt NEWLINE_STYLE CRLF)
# The notice of the Unicode data the letter folding table is made from.
configure_file(${PROJECT_SOURCE_DIR}/engine/unicode/LICENSE ${CMAKE_CURRENT_BINARY_DIR}/UNICODE-LICENSE.txt
    NEWLINE_STYLE CRLF @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt ${CMAKE_CURRENT_BINARY_DIR}/UNICODE-LICENSE.txt
    ${veltara_qt_notice} DESTINATION ${VELTARA_INSTALL_APPDIR})

# The installer: 64-bit (Debian's makensis has the amd64 stubs), into
# Program Files, with a Start-menu shortcut and an entry in Add/Remove
# Programs. CPack has no setting for the NSIS target, so the project's
# template is CMake's own with the target set at its top.
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGE_FILE_NAME veltara-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_EXECUTABLES veltara "Veltara Numerology Software")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "Veltara Numerology Software")
set(CPACK_NSIS_PACKAGE_NAME "Veltara Numerology Software ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALLED_ICON_NAME veltara.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/packaging/icons/veltara.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/packaging/icons/veltara.ico)
set(CPACK_NSIS_URL_INFO_ABOUT http://www.quorvale.com)
set(CPACK_NSIS_HELP_LINK http://www.quorvale.com)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(veltara_nsis_template_dir ${CMAKE_BINARY_DIR}/nsis-template)
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in veltara_nsis_template)
# After the template's first line, which begins with its byte-order mark.
string(FIND "${veltara_nsis_template}" "\n" veltara_first_line_end)
math(EXPR veltara_first_line_end "${veltara_first_line_end} + 1")
string(SUBSTRING "${veltara_nsis_template}" 0 ${veltara_first_line_end} veltara_nsis_head)
string(SUBSTRING "${veltara_nsis_template}" ${veltara_first_line_end} -1 veltara_nsis_rest)
file(WRITE ${veltara_nsis_template_dir}/NSIS.template.in
    "${veltara_nsis_head}; A 64-bit installer for the 64-bit program.\nTarget amd64-unicode\n${veltara_nsis_rest}")
configure_file(${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.InstallOptions.ini.in
    ${veltara_nsis_template_dir}/NSIS.InstallOptions.ini.in COPYONLY)
list(PREPEND CPACK_MODULE_PATH ${veltara_nsis_template_dir})
find_program(VELTARA_MAKENSIS makensis)
if(VELTARA_MAKENSIS)
    set(CPACK_GENERATOR ZIP NSIS)
else()
    set(CPACK_GENERATOR ZIP)
endif()
