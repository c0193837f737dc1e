#include "explorer/explorer_inputs.h"

#include "analysis/repeat_search.h"
#include "map/ground_track_map.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QSpinBox>

#include <cmath>

namespace explorer {

namespace {

// The highest band the search is offered: beyond the geostationary altitude
// a repeat orbit makes less than one revolution a day.
constexpr double kHighestAltitudeKm = 50000;

QDoubleSpinBox* NumberBox(QWidget* parent, const char* name, double maximum, int decimals, const QString& suffix)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, maximum);
    box->setDecimals(decimals);
    box->setSuffix(suffix);
    box->setAlignment(Qt::AlignRight);
    // A decimal point whatever the user's locale, as the table and the
    // design window write numbers.
    box->setLocale(QLocale::c());
    return box;
}

QSpinBox* DaysBox(QWidget* parent, const char* name, int minimum)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(minimum, orbit::analysis::kLongestSearchDays);
    // "1 day", "2 days": the unit follows the number as it is typed.
    const auto followValue = [box](int days) {
        box->setSuffix(days == 1 ? ExplorerInputs::tr(" day") : ExplorerInputs::tr(" days"));
    };
    followValue(box->value());
    QObject::connect(box, &QSpinBox::valueChanged, box, followValue);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QLabel* LabelFor(QWidget* buddy, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

ExplorerInputs::ExplorerInputs(QWidget* parent) : QWidget(parent)
{
    const QString km = QStringLiteral(" km");

    sunSync_ = new QRadioButton(tr("&Sun-synchronous"), this);
    sunSync_->setObjectName(QStringLiteral("SunSynchronousOption"));
    inclined_ = new QRadioButton(tr("Chosen &inclination:"), this);
    inclined_->setObjectName(QStringLiteral("InclinationOption"));
    auto* type = new QButtonGroup(this);
    type->addButton(sunSync_);
    type->addButton(inclined_);
    sunSync_->setChecked(true);
    inclination_ = NumberBox(this, "InclinationBox", 180, 1, QStringLiteral("\u00b0"));
    inclination_->setValue(65);
    inclination_->setToolTip(tr("Inclination of the orbit, degrees and tenths"));
    inclination_->setAccessibleName(tr("Inclination in degrees"));
    inclination_->setEnabled(false);

    altitudeFrom_ = NumberBox(this, "AltitudeFromBox", kHighestAltitudeKm, 1, km);
    altitudeFrom_->setValue(600);
    altitudeFrom_->setAccessibleName(tr("Lowest mean altitude in km"));
    altitudeTo_ = NumberBox(this, "AltitudeToBox", kHighestAltitudeKm, 1, km);
    altitudeTo_->setValue(800);
    altitudeTo_->setAccessibleName(tr("Highest mean altitude in km"));
    for (QDoubleSpinBox* box : {altitudeFrom_, altitudeTo_})
        box->setSingleStep(10);

    daysFrom_ = DaysBox(this, "DaysFromBox", 1);
    daysFrom_->setValue(1);
    daysFrom_->setAccessibleName(tr("Shortest repeat cycle in days"));
    daysTo_ = DaysBox(this, "DaysToBox", 1);
    daysTo_->setValue(16);
    daysTo_->setAccessibleName(tr("Longest repeat cycle in days"));

    swath_ = NumberBox(this, "SwathBox", world_map::kMaxSwathKm, 0, km);
    swath_->setSingleStep(10);
    swath_->setSpecialValueText(tr("none"));
    swath_->setToolTip(tr("Full width of the instrument's swath: gives the sidelap and the worst revisit"));
    swath_->setAccessibleName(tr("Swath width in km, none for 0"));

    gridSpacing_ = NumberBox(this, "GridSpacingBox", 50000, 0, km);
    gridSpacing_->setSingleStep(10);
    gridSpacing_->setSpecialValueText(tr("any"));
    gridSpacing_->setToolTip(tr("Only orbits whose neighbouring tracks lie at most this far apart at the equator"));
    gridSpacing_->setAccessibleName(tr("Largest grid spacing in km, any for 0"));
    subcycle_ = DaysBox(this, "SubcycleBox", 0);
    subcycle_->setSpecialValueText(tr("any"));
    subcycle_->setToolTip(tr("Only orbits whose track lands next to day 0's track within this many days"));
    subcycle_->setAccessibleName(tr("Longest sub-cycle in days, any for 0"));
    equatorWithoutGaps_ = new QCheckBox(tr("Only orbits whose swath covers the &equator without gaps"), this);
    equatorWithoutGaps_->setObjectName(QStringLiteral("EquatorWithoutGapsBox"));
    equatorWithoutGaps_->setToolTip(tr("Neighbouring swaths touch or overlap at the equator (sidelap 0 % or more)"));

    auto* search = new QGroupBox(tr("Search"), this);
    auto* searchGrid = new QGridLayout(search);
    searchGrid->addWidget(new QLabel(tr("Orbit type:"), search), 0, 0);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(sunSync_);
    typeRow->addSpacing(12);
    typeRow->addWidget(inclined_);
    typeRow->addWidget(inclination_);
    typeRow->addStretch(1);
    searchGrid->addLayout(typeRow, 0, 1, 1, 4);
    searchGrid->addWidget(LabelFor(altitudeFrom_, tr("&Altitude from:"), search), 1, 0);
    searchGrid->addWidget(altitudeFrom_, 1, 1);
    searchGrid->addWidget(LabelFor(altitudeTo_, tr("&to:"), search), 1, 2);
    searchGrid->addWidget(altitudeTo_, 1, 3);
    searchGrid->addWidget(LabelFor(daysFrom_, tr("C&ycle from:"), search), 2, 0);
    searchGrid->addWidget(daysFrom_, 2, 1);
    searchGrid->addWidget(LabelFor(daysTo_, tr("t&o:"), search), 2, 2);
    searchGrid->addWidget(daysTo_, 2, 3);
    searchGrid->addWidget(LabelFor(swath_, tr("S&wath width:"), search), 3, 0);
    searchGrid->addWidget(swath_, 3, 1);
    searchGrid->setColumnStretch(4, 1);

    auto* filters = new QGroupBox(tr("Filters"), this);
    auto* filterGrid = new QGridLayout(filters);
    filterGrid->addWidget(LabelFor(gridSpacing_, tr("&Grid spacing at most:"), filters), 0, 0);
    filterGrid->addWidget(gridSpacing_, 0, 1);
    filterGrid->addWidget(LabelFor(subcycle_, tr("Su&b-cycle at most:"), filters), 1, 0);
    filterGrid->addWidget(subcycle_, 1, 1);
    filterGrid->addWidget(equatorWithoutGaps_, 2, 0, 1, 3);
    filterGrid->setColumnStretch(2, 1);
    filterGrid->setRowStretch(3, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(search, 3);
    layout->addWidget(filters, 2);

    setTabOrder(sunSync_, inclined_);
    setTabOrder(inclined_, inclination_);
    setTabOrder(inclination_, altitudeFrom_);
    setTabOrder(altitudeFrom_, altitudeTo_);
    setTabOrder(altitudeTo_, daysFrom_);
    setTabOrder(daysFrom_, daysTo_);
    setTabOrder(daysTo_, swath_);
    setTabOrder(swath_, gridSpacing_);
    setTabOrder(gridSpacing_, subcycle_);
    setTabOrder(subcycle_, equatorWithoutGaps_);

    connect(inclined_, &QRadioButton::toggled, inclination_, &QWidget::setEnabled);
    connect(inclined_, &QRadioButton::toggled, this, &ExplorerInputs::RequestEdited);
    for (QDoubleSpinBox* box : {inclination_, altitudeFrom_, altitudeTo_, swath_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &ExplorerInputs::RequestEdited);
    for (QSpinBox* box : {daysFrom_, daysTo_})
        connect(box, &QSpinBox::valueChanged, this, &ExplorerInputs::RequestEdited);
    connect(swath_, &QDoubleSpinBox::valueChanged, this, &ExplorerInputs::FollowSwath);
    connect(gridSpacing_, &QDoubleSpinBox::valueChanged, this, &ExplorerInputs::FilterEdited);
    connect(subcycle_, &QSpinBox::valueChanged, this, &ExplorerInputs::FilterEdited);
    connect(equatorWithoutGaps_, &QCheckBox::toggled, this, &ExplorerInputs::FilterEdited);
    FollowSwath();
}

QWidget* ExplorerInputs::FirstInput() const { return sunSync_->isChecked() ? sunSync_ : inclined_; }
QWidget* ExplorerInputs::LastInput() const { return equatorWithoutGaps_; }

void ExplorerInputs::FollowSwath()
{
    // The sidelap needs a swath: without one the filter has nothing to go by.
    equatorWithoutGaps_->setEnabled(swath_->value() > 0);
}

ExplorerInputs::Reading ExplorerInputs::Request() const
{
    Reading reading;
    if (altitudeFrom_->value() > altitudeTo_->value()) {
        reading.problem = tr("The altitude band is upside down: \u201cfrom\u201d lies above \u201cto\u201d.");
        return reading;
    }
    if (daysFrom_->value() > daysTo_->value()) {
        reading.problem = tr("The cycle lengths are upside down: \u201cfrom\u201d lies above \u201cto\u201d.");
        return reading;
    }
    ExplorerRequest request;
    orbit::analysis::SearchRequest& search = request.search;
    if (inclined_->isChecked()) {
        search.type = orbit::OrbitType::ChooseInclination;
        // Whole tenths, as the design window takes them.
        const auto tenths = static_cast<long>(std::lround(inclination_->value() * 10));
        search.inclDegrees = static_cast<double>(tenths / 10);
        search.inclTenths = static_cast<double>(tenths % 10);
    } else {
        search.type = orbit::OrbitType::SunSynchronous;
    }
    search.altMinKm = altitudeFrom_->value();
    search.altMaxKm = altitudeTo_->value();
    search.minDays = daysFrom_->value();
    search.maxDays = daysTo_->value();
    if (swath_->value() > 0)
        request.swathKm = swath_->value();
    reading.request = request;
    return reading;
}

CandidateFilter ExplorerInputs::Filter() const
{
    CandidateFilter filter;
    if (gridSpacing_->value() > 0)
        filter.maxGridSpacingKm = gridSpacing_->value();
    if (subcycle_->value() > 0)
        filter.maxSubcycleDays = subcycle_->value();
    filter.equatorWithoutGaps = equatorWithoutGaps_->isEnabled() && equatorWithoutGaps_->isChecked();
    return filter;
}

}  // namespace explorer
