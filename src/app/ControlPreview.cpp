#include "ControlPreview.h"

#include "controls/padButton.h"
#include "controls/pianoView.h"
#include "controls/receiveValueSlider.h"
#include "model/ControlColors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int controlHeight = 30;
constexpr int sliderWidth = 200;
constexpr int buttonWidth = 72;
constexpr int groupInset = 6;

// A rounded frame in the group's colour with the group's title above the member.
class GroupFrame : public QWidget {
public:
    GroupFrame(const QString &title, const QColor &color, QWidget *member)
        : m_title(title)
        , m_color(color)
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(groupInset, fontMetrics().height() + groupInset, groupInset, groupInset);
        layout->addWidget(member);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(m_color, 1.5));
        painter.setBrush(ControlColors::shadowed(m_color, 0.7));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
        painter.setPen(Qt::lightGray);
        painter.drawText(QRect(groupInset, 2, width() - 2 * groupInset, fontMetrics().height()),
                         Qt::AlignLeft | Qt::AlignVCenter, m_title);
    }

private:
    QString m_title;
    QColor m_color;
};

} // namespace

ControlPreview::ControlPreview(QWidget *parent)
    : QWidget(parent)
    , m_stage(new QWidget)
    , m_caption(new QLabel)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    new QHBoxLayout(m_stage);
    m_stage->layout()->setContentsMargins(0, 0, 0, 0);
    // Room for the widest control, the piano inside a group frame: the window does not grow later.
    m_stage->setMinimumSize(int(pianoView::minimumWidth) + 4 * groupInset,
                            controlHeight + 3 * groupInset + fontMetrics().height());
    m_stage->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(m_stage);
    m_caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_caption);
}

QString ControlPreview::caption() const
{
    return m_caption->text();
}

void ControlPreview::dropViews()
{
    while (QLayoutItem *item = m_stage->layout()->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

void ControlPreview::clear()
{
    dropViews();
    m_caption->clear();
}

QWidget *ControlPreview::makeControl(const Look &look)
{
    switch (look.type) {
    case EditedControl::Type::Fader: {
        auto *slider = new receiveValueSlider;
        slider->setSliderTitle(look.label);
        if (look.color)
            slider->setTrackFillColor(*look.color);
        slider->setPanSlider(look.panFader);
        slider->setDoubleValue(0.5);
        slider->setFixedSize(sliderWidth, controlHeight);
        m_pseudoSliderView = slider;
        return slider;
    }
    case EditedControl::Type::Piano: {
        auto *piano = new pianoView(look.octaves, look.startOctave);
        piano->setFixedSize(int(pianoView::minimumWidth), controlHeight);
        m_pseudoPianoView = piano;
        return piano;
    }
    default: {
        auto *button = new padButton;
        button->setTitle(look.label);
        if (look.image)
            button->setIcon(*look.image);
        if (look.color)
            button->setBezelColor(*look.color);
        button->setFixedSize(buttonWidth, controlHeight);
        m_pseudoButtonView = button;
        return button;
    }
    }
}

void ControlPreview::showLook(const Look &look)
{
    dropViews();
    QWidget *control = makeControl(look);
    QWidget *shown = control;
    if (look.groupLabel) {
        shown = new GroupFrame(*look.groupLabel, look.groupColor, control);
        m_pseudoGroupView = shown;
    }
    auto *row = static_cast<QHBoxLayout *>(m_stage->layout());
    row->addStretch();
    row->addWidget(shown);
    row->addStretch();
    shown->show();
    m_caption->setText(look.caption);
}
