// Acts the editing scenarios out on one target (the text box library itself, or a front-end's field)
// through a driver that turns the table's keys into the target's own events. Keys are looked up in the
// platform's key rules, the tables the programs ship; the driver knows no command.
#pragma once

#include "tests/support/field_scenarios.h"
#include "textbox/key_rules.h"

#include <optional>
#include <string>

// What moves the native box's selection without the field seeing what moved it: its caret to its start or
// end, or its own select-all.
enum class UnseenMove
{
    ToStart,
    ToEnd,
    SelectAll,
};

class ScenarioDriver
{
public:
    virtual ~ScenarioDriver() = default;

    // The line and its selection at first, as a program sets them.
    virtual void start(const MarkedLine& line) = 0;
    // A key as the target's platform delivers it.
    virtual void press(KeyPress key) = 0;
    // Text typed, one key per character.
    virtual void type(std::u16string_view text) = 0;
    // The native box's selection moved by something the field does not see: a browser's own key binding,
    // its own menu, a screen reader.
    virtual void moveUnseen(UnseenMove move) = 0;
    virtual void setClipboard(std::u16string_view text) = 0;
    [[nodiscard]] virtual std::u16string clipboard() = 0;
    // The line and its selection now.
    [[nodiscard]] virtual MarkedLine state() = 0;
    // Where the native box shows something else than the line says (its text, selection or caret), or
    // nothing.
    [[nodiscard]] virtual std::string boxDisagrees() { return {}; }
};

// The scenario's name as a test's name: letters, digits and underscores.
[[nodiscard]] std::string identifierOf(std::string name);

// Why scenario is not for rules' keys, or nothing when it is.
[[nodiscard]] std::optional<std::string> skipReason(const Scenario& scenario, const KeyRules& rules);

// Acts scenario out on its line with padding, through driver, with rules' keys, and compares with the
// expectations for rules. Returns the first difference, or nothing.
[[nodiscard]] std::optional<std::string> actOut(const Scenario& scenario, const Padding& padding, const KeyRules& rules,
                                                ScenarioDriver& driver);
