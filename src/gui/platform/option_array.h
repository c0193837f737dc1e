#pragma once
// Option buttons that form one control array: exactly one member is selected,
// selecting one deselects the others, and the array reports Click with the
// index of the member the user has just selected. Tab stops at the selected
// member; the arrow keys move the selection within the array.

#include <QObject>

#include <cstdint>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace platform {

class OptionArray : public QObject {
    Q_OBJECT

public:
    explicit OptionArray(QObject* parent = nullptr);

    // The member's index is its position in the order of adding.
    void Add(QRadioButton* member);

    QRadioButton* Member(int index) const { return members_.at(static_cast<std::size_t>(index)); }
    int Count() const { return static_cast<int>(members_.size()); }
    bool IsSelected(int index) const;

signals:
    // Raised when a member becomes the selected one; choosing the member that
    // is already selected changes nothing and raises nothing.
    void Click(std::int16_t index);

private:
    void UpdateTabStops();

    QButtonGroup* group_;
    std::vector<QRadioButton*> members_;
};

}  // namespace platform
