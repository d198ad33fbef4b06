// The main window: the inputs, the two commands Calculate and Clear, and the
// reading shown in the expanded window.
#pragma once

#include "readingsteps.h"

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

class LinkLabel;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);

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
    ReadingControls readingControls();

    // Input area.
    LinkLabel *Label10 = nullptr;
    QLabel *Label13 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label8 = nullptr;
    QComboBox *myday = nullptr;
    QComboBox *Combo1 = nullptr;
    QComboBox *myyear = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *Text7 = nullptr;
    QPushButton *Option2 = nullptr;
    QPushButton *option1 = nullptr;
    QProgressBar *searcher = nullptr;

    // Result area.
    QLabel *planet = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *elements = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *letters = nullptr;
    QLabel *zodiac = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *pcolors = nullptr;
    QLabel *scolors = nullptr;
    QLabel *Label2 = nullptr;
    LinkLabel *lblFullBrand = nullptr;
    LinkLabel *lblCobrand = nullptr;
    LinkLabel *Label12 = nullptr;

    // Never visible: the birth-date digit text.
    QLineEdit *Text6 = nullptr;

    QWidget *client = nullptr;
    // The input that had the keyboard focus when the inputs were frozen.
    QPointer<QWidget> frozenFocus;
};

} // namespace veltara
