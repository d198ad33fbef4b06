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
    static void showModal(QWidget *parent);

private:
    QGroupBox *m_frame = nullptr;
    QLabel *m_descriptionText = nullptr;
    QLabel *m_coBrandText = nullptr;
    LinkLabel *m_coBrandLink = nullptr;
    QLabel *m_visitText = nullptr;
    LinkLabel *m_visitLink = nullptr;
};

} // namespace veltara
