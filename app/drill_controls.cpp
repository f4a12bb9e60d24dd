#include "drill_controls.h"

#include <QLabel>
#include <QLineEdit>

namespace {

QString fromText(const Text& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

void setCaption(QLabel* label, const Text& text)
{
    const QString caption = fromText(text);
    label->setText(caption);
    // A screen reader hears what the label is and what it now says.
    QString spoken = caption;
    spoken.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
    label->setAccessibleName(label->accessibleDescription() + QStringLiteral("：") + spoken);
}

Text getContent(const QLineEdit* box)
{
    return box->text().toStdString();
}

void setContent(QLineEdit* box, const Text& text)
{
    box->setText(fromText(text));
}
