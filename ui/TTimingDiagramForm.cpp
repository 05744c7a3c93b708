#include "ui/TTimingDiagramForm.h"

#include "model/ChannelSettings.h"
#include "model/TimingDiagram.h"
#include "ui/FormParts.h"
#include "ui/TTimingDiagramView.h"
#include "ui/TimingDiagramPicture.h"
#include "ui/WindowFonts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ui {

TTimingDiagramForm::TTimingDiagramForm(const model::ProgramState &state,
                                       transport::UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_state(state), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TimingDiagramForm"));
    setWindowTitle(QStringLiteral("Timing Diagram"));
    setFont(TahomaFont(kWindowFontPx));

    auto *periodsLabel = new QLabel(QStringLiteral("Periods:"), this);
    PeriodsAdj = new QSpinBox(this);
    PeriodsAdj->setObjectName(QStringLiteral("PeriodsAdj"));
    PeriodsAdj->setRange(1, model::kMaxDiagramPeriods);
    PeriodsAdj->setValue(model::kDefaultDiagramPeriods);
    periodsLabel->setBuddy(PeriodsAdj);
    FitBtn = new QPushButton(QStringLiteral("Fit"), this);
    FitBtn->setObjectName(QStringLiteral("FitBtn"));
    FitBtn->setToolTip(QStringLiteral("Show the whole diagram (or double-click it)"));
    SavePictureBtn = new QPushButton(QStringLiteral("Save Picture..."), this);
    SavePictureBtn->setObjectName(QStringLiteral("SavePictureBtn"));
    DiagramView = new TTimingDiagramView(this);

    auto *bar = new QHBoxLayout;
    bar->addWidget(periodsLabel);
    bar->addWidget(PeriodsAdj);
    bar->addStretch(1);
    bar->addWidget(FitBtn);
    bar->addWidget(SavePictureBtn);
    auto *column = new QVBoxLayout(this);
    column->addLayout(bar);
    column->addWidget(DiagramView, 1);

    connect(PeriodsAdj, &QSpinBox::valueChanged, this, [this] {
        DiagramView->fitAll();
        Refresh();
    });
    connect(FitBtn, &QPushButton::clicked, DiagramView, &TTimingDiagramView::fitAll);
    connect(SavePictureBtn, &QPushButton::clicked, this, &TTimingDiagramForm::SavePictureClick);
}

int TTimingDiagramForm::DiagramChannelCount(const model::ProgramState &state)
{
    return state.ChannelCount > 0 ? state.ChannelCount : model::ChannelSettings::LastChannel;
}

void TTimingDiagramForm::Refresh()
{
    if (!isVisible())
        return;
    DiagramView->setDiagram(
        model::computeTimingDiagram(m_state.SystemSettings, m_state.ChannelSettings,
                                    DiagramChannelCount(m_state), PeriodsAdj->value()));
}

void TTimingDiagramForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Refresh();
}

void TTimingDiagramForm::SavePictureClick()
{
    transport::UserDialogs::FileChoice choice;
    choice.title = QStringLiteral("Save Picture");
    choice.filter = QStringLiteral("PNG picture|*.png|SVG drawing|*.svg");
    choice.defaultSuffix = QStringLiteral("png");
    const std::optional<QString> path = m_dialogs.saveFile(choice);
    if (!path)
        return;
    if (!saveTimingPicture(*path, DiagramView->size(), DiagramView->diagram(), DiagramView->view()))
        m_dialogs.message(transport::UserDialogs::Kind::Error,
                          QStringLiteral("Could not write the picture ") + *path,
                          {transport::UserDialogs::Button::Ok});
}

} // namespace ui
