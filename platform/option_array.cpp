#include "option_array.h"

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
    connect(member, &QAbstractButton::toggled, this, [this, index](bool selected) {
        if (selected)
            emit Click(index);
    });
}

bool OptionArray::IsSelected(int index) const { return Member(index)->isChecked(); }

}  // namespace platform
