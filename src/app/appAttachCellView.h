#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
struct AttachmentRecord;
class ApplicationCatalog;

// One row of the attach window: the application's icon and name, its mode and touch bar
// number, and a remove button. The three controls carry the row index as their "tag".
class appAttachCellView : public QWidget {
    Q_OBJECT
public:
    static constexpr const char *tagProperty = "tag";
    static constexpr int numberEntries = 10;

    appAttachCellView(const AttachmentRecord &record, const ApplicationCatalog &applications, int row,
                      QWidget *parent = nullptr);

    void setTag(int row);
    static int tagOf(const QObject *control);

    QLabel *imageView() const { return m_imageView; }
    QLabel *textField() const { return m_textField; }
    QComboBox *userModeButton() const { return m_userModeButton; }
    QComboBox *numberButton() const { return m_numberButton; }
    QPushButton *removeButton() const { return m_removeButton; }

private:
    QLabel *m_imageView;
    QLabel *m_textField;
    QComboBox *m_userModeButton;
    QComboBox *m_numberButton;
    QPushButton *m_removeButton;
};
