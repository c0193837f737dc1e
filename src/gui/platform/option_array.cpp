#include "platform/option_array.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace platform {

OptionArray::OptionArray(QObject* parent) : QObject(parent), group_(new QButtonGroup(this))
{
    group_->setExclusive(true);
}

void OptionArray::Add(QRadioButton* member)
{
    const auto index = static_cast<std::int16_t>(members_.size());
    members_.push_back(member);
    group_->addButton(member, index);
    // toggled(true) comes after the previously selected member has been
    // deselected, so a handler sees the new selection complete.
    UpdateTabStops();
    connect(member, &QAbstractButton::toggled, this, [this, index](bool selected) {
        UpdateTabStops();
        if (selected)
            emit Click(index);
    });
}

void OptionArray::UpdateTabStops()
{
    // As in a native group, Tab stops at the selected member only; the arrow
    // keys move between the members.
    for (QRadioButton* member : members_)
        member->setFocusPolicy(member->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

bool OptionArray::IsSelected(int index) const { return Member(index)->isChecked(); }

}  // namespace platform
