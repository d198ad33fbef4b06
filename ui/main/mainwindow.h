// The main window: the inputs, the two commands Calculate and Clear, and the
// reading shown in the expanded window.
#pragma once


#include <QMainWindow>
#include <QPointer>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;

namespace veltara {

struct NameProfile;
struct ZodiacRange;

class LinkLabel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);

    // The start-up routine: probes the picture folder, clears the window and
    // fills the day and year lists. On a missing picture folder it tells the
    // user and returns false: the program must then end.
    bool Load();

    void Calculate();
    void Clear();

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
    void SetWindowSize(int widthTwips, int heightTwips);
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
    LinkLabel *visitLink = nullptr;
    QLabel *nameCaption = nullptr;
    QLineEdit *nameEdit = nullptr;
    QLabel *dayCaption = nullptr;
    QLabel *monthCaption = nullptr;
    QLabel *yearCaption = nullptr;
    QComboBox *dayList = nullptr;
    QComboBox *monthList = nullptr;
    QComboBox *yearList = nullptr;
    QLabel *nameNumberCaption = nullptr;
    QLineEdit *nameNumberBox = nullptr;
    QLabel *birthNumberCaption = nullptr;
    QLineEdit *birthNumberBox = nullptr;
    QPushButton *clearButton = nullptr;
    QPushButton *calculateButton = nullptr;
    QProgressBar *progressBar = nullptr;

    // Result area.
    QLabel *planet = nullptr;
    QLabel *planetPicture = nullptr;
    QLabel *elementCaption = nullptr;
    QLabel *elementBox = nullptr;
    QLabel *lettersCaption = nullptr;
    QLabel *letters = nullptr;
    QLabel *zodiac = nullptr;
    QLabel *zodiacPicture = nullptr;
    QLabel *primaryColoursCaption = nullptr;
    QLabel *secondaryColoursCaption = nullptr;
    QLabel *primaryColoursBox = nullptr;
    QLabel *secondaryColoursBox = nullptr;
    QLabel *characterText = nullptr;
    LinkLabel *fullBrandBanner = nullptr;
    LinkLabel *coBrandBanner = nullptr;
    LinkLabel *coBrandLink = nullptr;

    // Never visible: the birth-date digit text.
    QLineEdit *birthDigitsBox = nullptr;

    QWidget *client = nullptr;
    // The input that had the keyboard focus when the inputs were frozen.
    QPointer<QWidget> frozenFocus;
};

} // namespace veltara
