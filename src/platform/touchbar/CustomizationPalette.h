#pragma once

#include <QPointer>
#include <QWidget>

class QListWidget;
class TouchBar;

// The customization palette for one touch bar: the items the bar allows on one side, its
// current arrangement on the other. "Done" stores the arrangement under the bar's
// customization identifier; closing the window any other way leaves the stored one alone.
class CustomizationPalette : public QWidget {
    Q_OBJECT
public:
    explicit CustomizationPalette(TouchBar &bar, QWidget *parent = nullptr);
    ~CustomizationPalette() override;

    QListWidget *allowedList() const { return m_allowed; }
    QListWidget *arrangementList() const { return m_arrangement; }
    QStringList arrangement() const;

    void addSelected();
    void removeSelected();
    // By one row; -1 up, +1 down.
    void moveSelected(int step);
    void done();

Q_SIGNALS:
    // Emitted once, when the palette closes by "Done" or otherwise.
    void finished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QString labelFor(const QString &identifier);

    QPointer<TouchBar> m_bar;
    QListWidget *m_allowed;
    QListWidget *m_arrangement;
    bool m_finished = false;
};
