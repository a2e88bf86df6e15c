// An in-memory window for the conversion tests: three fields and a record of every message shown.
#pragma once

#include "runtime/form.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

struct ShownMessage
{
    std::u16string prompt;
    MessageStyle style;
    std::u16string title;
};

class FakeForm : public Form
{
public:
    std::vector<ShownMessage> shown;
    std::optional<Field> refusedField;     // a field whose setText raises FieldRefused
    std::optional<Field> outOfMemoryField; // a field whose setText runs out of memory (std::bad_alloc)

    [[nodiscard]] std::u16string text(Field field) const override;
    void setText(Field field, const std::u16string& text) override;
    void showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title) override;

private:
    std::map<Field, std::u16string> m_fields;
};
