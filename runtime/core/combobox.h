#pragma once

#include "runtime/core/control.h"

#include <functional>
#include <vector>

namespace rt {

/// An editable drop-down combo box: the user picks an entry or types any text.
class ComboBox final : public Control {
public:
    ComboBox(Form &form, const ControlDef &def, FontSpec font);

    /// The text in the edit field.
    const std::string &Text() const { return text_; }
    void setText(const std::string &text);

    /// How many entries the list holds.
    Integer ListCount() const { return static_cast<Integer>(list_.size()); }
    /// The entry the text came from, -1 when it was typed or set.
    Integer ListIndex() const { return listIndex_; }
    /// Chooses an entry, as the user does from the list; -1 leaves the text as it is.
    void setListIndex(Integer index);
    /// The handler run after each change of the text, typed, chosen or set.
    void setChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }

    const std::vector<std::string> &entries() const override { return list_; }
    /// Figures typed in full width become ASCII: "１０" stands as 10, and means it.
    void userTyped(const std::string &text) override;
    void userChose(Integer index) override;
    ControlLook look() const override;

private:
    void changed(bool textChanged);

    std::vector<std::string> list_;
    std::string text_;
    Integer listIndex_ = -1;
    Colour back_;
    Colour fore_;
    std::function<void()> onChange_;
};

} // namespace rt
