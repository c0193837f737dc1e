#include "explorer/candidate_details.h"

#include "core/design_name.h"
#include "core/orbit_error.h"
#include "core/result_fields.h"
#include "explorer/candidate_text.h"
#include "explorer/coverage_pane.h"
#include "export_window/export_window.h"
#include "map/ground_track_map.h"
#include "map_qt/map_scene.h"
#include "map_qt/map_widget.h"
#include "map_qt/world_shapes.h"
#include "pattern/picture_size.h"
#include "pattern_qt/pattern_view.h"
#include "platform/handler_boundary.h"
#include "platform/vector_state.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace explorer {

namespace {

// The small map draws at most this many days: enough to see how the days
// lie beside each other and how the swaths meet, while each track stays
// apart; a long cycle's whole track would fill the small map with colour.
// The map window shows the rest.
constexpr int kMapDays = 3;

}  // namespace

CandidateDetails::CandidateDetails(QWidget* parent) : QWidget(parent)
{
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("DetailsTitle"));
    title_->setWordWrap(true);
    title_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);

    fields_ = new QFormLayout;
    for (const orbit::ResultFieldInfo& info : orbit::kResultFields) {
        auto* value = new QLabel(this);
        value->setObjectName(QString::fromLatin1(info.boxName));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        fields_->addRow(QString::fromUtf8(info.caption), value);
    }

    pattern_ = new pattern::PatternView(this);
    pattern_->setAccessibleName(tr("Relative ground-track pattern"));
    // The pattern's text shrinks with the picture: below three quarters of
    // the pattern window it can no longer be read.
    pattern_->setMinimumSize(pattern::kPictureWidthPx * 3 / 4, pattern::kPictureHeightPx * 3 / 4);
    map_ = new world_map::MapWidget(this);
    map_->SetDecorated(false);
    map_->SetInteractive(false);
    mapCaption_ = new QLabel(this);
    mapCaption_->setObjectName(QStringLiteral("MapCaption"));
    mapCaption_->setWordWrap(true);
    coverage_ = new CoveragePane(this);
    exportButton_ = new QPushButton(tr("E&xport orbit\u2026"), this);
    exportButton_->setObjectName(QStringLiteral("ExportOrbit"));
    exportButton_->setToolTip(tr("Write this orbit as a CCSDS message, a TLE, a GMAT script or its track, "
                                 "with the mission's epoch and node"));
    connect(exportButton_, &QPushButton::clicked, this, platform::Handler(this, &CandidateDetails::ExportOrbit_Click));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title_);
    layout->addLayout(fields_);
    layout->addWidget(exportButton_, 0, Qt::AlignLeft);
    layout->addWidget(pattern_, 1);
    layout->addWidget(map_, 1);
    layout->addWidget(mapCaption_);
    layout->addWidget(coverage_, 1);
    Clear();
}

void CandidateDetails::Clear()
{
    title_->setText(tr("Select an orbit to see its details."));
    for (int i = 0; i < fields_->rowCount(); ++i) {
        fields_->setRowVisible(i, true);
        if (auto* value = qobject_cast<QLabel*>(fields_->itemAt(i, QFormLayout::FieldRole)->widget()))
            value->clear();
    }
    pattern_->SetDesign(std::nullopt);
    shown_.reset();
    exportButton_->setEnabled(false);
    map_->SetScene(nullptr, 1);
    mapCaption_->clear();
    coverage_->Clear();
}

void CandidateDetails::ShowCandidate(const CandidateSet* set, std::size_t row)
{
    if (!set || row >= set->size()) {
        Clear();
        return;
    }
    platform::ReleaseUpperVectorState();  // the map's trigonometry runs ten times faster
    const orbit::analysis::SearchRow& candidate = set->Row(row);
    const orbit::OrbitType type = set->request.search.type;
    // Solved again, exactly as the search solved it: the same numbers as the
    // table, and the design record the pattern and the map are drawn from.
    orbit::DesignRecord record;
    const orbit::RepeatOrbitSolution solution = orbit::SolveRepeatOrbit(
        orbit::RepeatOrbitInputs::Fixed(candidate.N, candidate.M, candidate.Q, type,
                                        set->request.search.inclDegrees, set->request.search.inclTenths),
        {}, record);
    title_->setText(QString::fromStdString(orbit::DesignName(record, type)));
    for (std::size_t i = 0; i < orbit::kResultFields.size(); ++i) {
        const orbit::ResultFieldInfo& info = orbit::kResultFields[i];
        auto* value = qobject_cast<QLabel*>(fields_->itemAt(static_cast<int>(i), QFormLayout::FieldRole)->widget());
        const std::optional<double> figure = orbit::ValueOf(solution, info.field);
        const bool shown = orbit::ShownFor(info.field, type) && figure.has_value();
        fields_->setRowVisible(static_cast<int>(i), shown);
        value->setText(shown ? QString::fromStdString(orbit::FormatResult(info.field, *figure)) : QString());
    }
    pattern_->SetDesign(record);
    coverage_->ShowCandidate(set, row);
    shown_ = orbit::session::CompletedDesign{record, type, solution, 0};
    // The mission the set was searched for, as the export needs it.
    shownMission_ = {};
    shownMission_.epoch = set->request.epoch;
    shownMission_.node = set->request.node;
    shownMission_.swathKm = set->request.swathKm;
    shownMission_.satellites = set->request.satellites;
    shownMission_.passes = set->request.passes;
    shownMission_.sunMinDeg = set->request.sunMinDeg;
    exportButton_->setEnabled(true);

    try {
        auto scene = std::make_shared<world_map::MapScene>(world_map::InstalledWorld(),
                                                           world_map::MapDesignOf(record, type),
                                                           set->request.swathKm.value_or(0));
        const int days = std::min(scene->Map().DayLimit(), kMapDays);
        map_->SetScene(std::move(scene), days);
        map_->show();
        const auto dayCount = [](std::int64_t n) { return QString::fromStdString(CountText(n, "day", "days")); };
        QString caption = days >= candidate.Q
                              ? tr("Ground track of the whole cycle, %1").arg(dayCount(candidate.Q))
                              : tr("Ground track of the first %1 of %2").arg(dayCount(days), dayCount(candidate.Q));
        if (set->request.swathKm)
            caption += tr(", %1 km swath").arg(*set->request.swathKm);
        mapCaption_->setText(caption);
    } catch (const orbit::OrbitError& e) {
        // The details go on without a map (no land file, say): the table is
        // what matters here, and a message box at each selection would not help.
        map_->SetScene(nullptr, 1);
        map_->hide();
        mapCaption_->setText(tr("No map: %1").arg(QString::fromUtf8(e.what())));
    }
    emit CandidateShown();
}

QString CandidateDetails::FieldText(const QString& caption) const
{
    for (int i = 0; i < fields_->rowCount(); ++i) {
        auto* label = qobject_cast<QLabel*>(fields_->itemAt(i, QFormLayout::LabelRole)->widget());
        auto* value = qobject_cast<QLabel*>(fields_->itemAt(i, QFormLayout::FieldRole)->widget());
        if (label && value && label->text() == caption)
            return value->text();
    }
    return {};
}

void CandidateDetails::ExportOrbit_Click()
{
    if (shown_)
        export_window::ExportOrbit(window(), *shown_, shownMission_);
}

}  // namespace explorer
