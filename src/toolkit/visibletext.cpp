#include "toolkit/visibletext.h"

#include <QLineEdit>
#include <QValidator>

namespace tk {

bool isInvisibleCharacter(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

bool hasInvisibleCharacters(const QString& text)
{
    const QList<uint> codes = text.toUcs4();
    return std::any_of(codes.begin(), codes.end(), [](uint c) { return isInvisibleCharacter(c); });
}

namespace {

QString escaped(char32_t c)
{
    switch (c) {
    case U'\n':
        return QStringLiteral("\\n");
    case U'\r':
        return QStringLiteral("\\r");
    case U'\t':
        return QStringLiteral("\\t");
    default:
        break;
    }
    const QString hex = QString::number(uint(c), 16).toUpper();
    if (c < 0x100)
        return QStringLiteral("\\x") + hex.rightJustified(2, QLatin1Char('0'));
    if (c < 0x10000)
        return QStringLiteral("\\u") + hex.rightJustified(4, QLatin1Char('0'));
    return QStringLiteral("\\U") + hex.rightJustified(8, QLatin1Char('0'));
}

// Cuts at the first line break and drops every other control character.
class SingleLine : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override
    {
        static const QString breaks = QStringLiteral("\n\r\u0085\u2028\u2029");
        const auto cut = std::find_if(input.begin(), input.end(), [](QChar c) { return breaks.contains(c); });
        if (cut != input.end())
            input.truncate(cut - input.begin());
        const QString clean = withoutInvisibleCharacters(input);
        if (clean != input)
            input = clean;
        position = std::min(position, int(input.size()));
        return Acceptable;
    }
};

} // namespace

QString escapedForDisplay(const QString& text)
{
    QString out;
    for (char32_t c : text.toUcs4())
        out += isInvisibleCharacter(c) ? escaped(c) : QString::fromUcs4(&c, 1);
    return out;
}

QString withoutInvisibleCharacters(const QString& text)
{
    QString out;
    for (char32_t c : text.toUcs4())
        if (!isInvisibleCharacter(c))
            out += QString::fromUcs4(&c, 1);
    return out;
}

void keepSingleLine(QLineEdit* edit)
{
    edit->setValidator(new SingleLine(edit));
}

} // namespace tk
