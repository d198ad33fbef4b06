// The main window: the inputs, the two commands Calculate and Clear, and the
// reading shown in the expanded window.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace veltara {

struct NameProfile;
struct ZodiacRange;

class ChartWindow;
class LinkLabel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up routine: probes the picture folder, clears the window and
    // fills the day and year lists. On a missing picture folder it tells the
    // user and returns false: the program must then end.
    bool load();

    void calculate();
    void clear();
    // Opens the chart window, made on first use, or brings it forward. While
    // the window shows a reading, the chart takes its name and birth date.
    void showChartWindow();

    // Outer sizes in twips, frame, title bar and menu bar included.
    static constexpr int CompactWidth = 4020;
    static constexpr int CompactHeight = 3480;
    static constexpr int ExpandedWidth = 8160;
    static constexpr int ExpandedHeight = 5750;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createInputArea();
    void createResultArea();
    void setFocusOrder();
    void setAccessibility();
    void setWindowSize(int widthTwips, int heightTwips);
    void setInputsEditable(bool editable);

    // The display steps of Calculate, in readingsteps.cpp: each shows part
    // of the engine's reading in its own controls, in the window's order.
    // Character step: the character text of the name number's profile.
    void showCharacter(const NameProfile *profile);
    // Zodiac step: progress 0, raised by one per row examined up to the
    // reading's row; its picture, then its sign name. Without a row, a window
    // that shows no sign yet is cleared and shows the "Invalid Birthday"
    // message; the step then returns false.
    bool showZodiacSign(const ZodiacRange *row);
    // Planet step: progress 24; then the planet picture, planet, progress + 1,
    // element and letters. A picture that cannot be loaded ends the step.
    void showPlanet(const NameProfile *profile);
    // Colour step: progress 33; then progress + 1 and both colour texts.
    void showColours(const NameProfile *profile);

    // Input area.
    QLabel *m_nameCaption = nullptr;
    QLineEdit *m_nameEdit = nullptr;
    QLabel *m_dayCaption = nullptr;
    QLabel *m_monthCaption = nullptr;
    QLabel *m_yearCaption = nullptr;
    QComboBox *m_dayList = nullptr;
    QComboBox *m_monthList = nullptr;
    QComboBox *m_yearList = nullptr;
    QLabel *m_nameNumberCaption = nullptr;
    QLineEdit *m_nameNumberBox = nullptr;
    QLabel *m_birthNumberCaption = nullptr;
    QLineEdit *m_birthNumberBox = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_calculateButton = nullptr;
    QProgressBar *m_progressBar = nullptr;

    // Result area.
    QLabel *m_planet = nullptr;
    QLabel *m_planetPicture = nullptr;
    QLabel *m_elementBox = nullptr;
    QLabel *m_letters = nullptr;
    QLabel *m_zodiac = nullptr;
    QLabel *m_zodiacPicture = nullptr;
    QLabel *m_primaryColoursBox = nullptr;
    QLabel *m_secondaryColoursBox = nullptr;
    QLabel *m_characterText = nullptr;
    LinkLabel *m_coBrandBanner = nullptr;

    // Never visible: the birth-date digit text.
    QLineEdit *m_birthDigitsBox = nullptr;

    // The chart window once asked for, and the inputs of the reading it was
    // last given.
    std::unique_ptr<ChartWindow> m_chartWindow;
    QStringList m_chartInputs;

    QWidget *m_client = nullptr;
    // The input that had the keyboard focus when the inputs were frozen.
    QPointer<QWidget> m_frozenFocus;
};

} // namespace veltara
