#include "akadalymentesseg.h"

#include "form1.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace Akadálymentesség {

namespace {

// A label of the window to assistive technology: its text as its name, as Qt's own label
// has it, and its ties to its caption or to the values and inputs it names.
class TiedLabel : public QAccessibleWidget {
public:
    explicit TiedLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto found = QAccessibleWidget::relations(match); // captions with it as their buddy
        auto add = [&](QObject* other, QAccessible::Relation relation) {
            if (!other || !(match & relation))
                return;
            if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(other))
                found.append({a, relation});
        };
        add(static_cast<const QLabel*>(widget())->buddy(), QAccessible::Labelled);
        for (QObject* other : widget()->property(LabelFor).value<QObjectList>())
            add(other, QAccessible::Labelled);
        for (QObject* other : widget()->property(LabelledBy).value<QObjectList>())
            add(other, QAccessible::Label);
        return found;
    }
};

// Assistive technology sees the windows as frames (a plain widget would be a filler).
QAccessibleInterface* windowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("Form1") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (className == QLatin1String("QWidget") && object && object->isWidgetType() &&
        static_cast<QWidget*>(object)->isWindow() &&
        object->objectName() == u"Rezgésjel") // a record window
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    if (auto* label = qobject_cast<QLabel*>(object); label && qobject_cast<Form1*>(label->window()))
        return new TiedLabel(label);
    return nullptr;
}

} // namespace

void Telepít() {
    QAccessible::installFactory(windowAccessible);
}

} // namespace Akadálymentesség
