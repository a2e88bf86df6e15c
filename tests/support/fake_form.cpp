// An in-memory window for the conversion tests.
#include "tests/support/fake_form.h"

#include "runtime/errors.h"

#include <new>

std::u16string FakeForm::text(Field field) const
{
    const auto found = m_fields.find(field);
    return found == m_fields.end() ? std::u16string() : found->second;
}

void FakeForm::setText(Field field, const std::u16string& text)
{
    if (refusedField == field)
        throw RuntimeError(ErrorKind::FieldRefused, "field refused its text");
    if (outOfMemoryField == field)
        throw std::bad_alloc();
    m_fields[field] = text;
}

void FakeForm::showMessage(const std::u16string& prompt, MessageStyle style, const std::u16string& title)
{
    shown.push_back({prompt, style, title});
}
