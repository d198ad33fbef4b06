// The About window: a few paragraphs on the program and two links into the
// maker's web site. Opened modally, afresh each time.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;

namespace veltara {

class LinkLabel;

class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(QWidget *parent = nullptr);

    // Loads the window, shows it modally and discards it when it is closed.
    static void ShowModal(QWidget *parent);

private:
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label3 = nullptr;
    LinkLabel *lblCoBrand = nullptr;
    QLabel *Label2 = nullptr;
    LinkLabel *Label10 = nullptr;
};

} // namespace veltara
