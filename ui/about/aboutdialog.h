// The About window: a few paragraphs on the program and two links into the
// maker's web site. Opened modally, afresh each time.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;

namespace veltara {

class LinkLabel;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // Loads the window, shows it modally and discards it when it is closed.
    static void ShowModal(QWidget *parent);

private:
    QGroupBox *frame = nullptr;
    QLabel *descriptionText = nullptr;
    QLabel *coBrandText = nullptr;
    LinkLabel *coBrandLink = nullptr;
    QLabel *visitText = nullptr;
    LinkLabel *visitLink = nullptr;
};

} // namespace veltara
