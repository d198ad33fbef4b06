// The About window: a few paragraphs on the program and two links into the
// maker's web site. Opened modally, afresh each time.
#pragma once

#include <QDialog>

namespace veltara {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // Loads the window, shows it modally and discards it when it is closed.
    static void showModal(QWidget *parent);
};

} // namespace veltara
