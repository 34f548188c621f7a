#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

// One item of a touch bar: an identifier, the label the customization palette shows, and the
// view that draws it. The item owns its view; the host only places it.
class TouchBarItem {
public:
    // How the strip sizes the item's slot: buttons have a fixed width, sliders and the piano
    // grow from a minimum, the full-width custom views take whatever the row leaves.
    enum class Sizing { Fixed, AtLeast, Fill };

    static constexpr qreal standardWidth = 72.0;

    explicit TouchBarItem(QString identifier);
    virtual ~TouchBarItem();
    TouchBarItem(const TouchBarItem &) = delete;
    TouchBarItem &operator=(const TouchBarItem &) = delete;

    QString identifier() const { return m_identifier; }
    QString customizationLabel() const { return m_customizationLabel; }
    void setCustomizationLabel(const QString &label) { m_customizationLabel = label; }

    QWidget *view() const { return m_view; }
    // Takes ownership; a previous view is deleted.
    void setView(QWidget *view);

    Sizing sizing() const { return m_sizing; }
    // Points; the fixed width, or the minimum of a growing item.
    qreal width() const { return m_width; }
    void setSizing(Sizing sizing, qreal width);

private:
    QString m_identifier;
    QString m_customizationLabel;
    // The host reparents the view into its window, which may delete it first.
    QPointer<QWidget> m_view;
    Sizing m_sizing = Sizing::Fixed;
    qreal m_width = standardWidth;
};
