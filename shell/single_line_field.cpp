#include "shell/single_line_field.h"

#include "platform/private_profile.h"

#include <QLineEdit>
#include <QValidator>

namespace tarvello {

namespace {

// Accepts every text once its line breaks are out: the box takes the cleaned text and
// the cursor moves back by the characters taken out before it. It never rejects, so the
// box's acceptable-input state and its editing signals stay as without a validator.
class SingleLineValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override
    {
        const QString cleaned = singleLine(input);
        if (cleaned.size() != input.size()) {
            const int removedBeforeCursor = int(position - singleLine(input.left(position)).size());
            input = cleaned;
            position -= removedBeforeCursor;
        }
        return Acceptable;
    }

    void fixup(QString& input) const override { input = singleLine(input); }
};

} // namespace

void keepSingleLine(QLineEdit* box)
{
    if (!box)
        return;
    box->setValidator(new SingleLineValidator(box));
    const QString cleaned = singleLine(box->text());
    if (cleaned != box->text())
        box->setText(cleaned);
}

} // namespace tarvello
