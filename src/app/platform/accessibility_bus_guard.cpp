#include "platform/accessibility_bus_guard.h"

#include <QObject>

#if VEXA_QT_DBUS

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QXmlStreamReader>

namespace vexa {

namespace {

// The toolkit's connection to the accessibility bus, and where its adaptor answers.
const QString A11yConnection = QStringLiteral("a11y");
const QString AccessiblePath = QStringLiteral("/org/a11y/atspi/accessible");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

class AdaptorGuard final : public QDBusVirtualObject {
  public:
    AdaptorGuard(QDBusVirtualObject* adaptor, QObject* parent)
        : QDBusVirtualObject(parent), adaptor_(adaptor) {}

    QString introspect(const QString& path) const override {
        return adaptor_ ? adaptor_->introspect(path) : QString();
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (!adaptor_) return false;
        if (message.type() == QDBusMessage::MethodCallMessage) {
            if (message.interface() == PropertiesInterface &&
                message.member() == QLatin1String("GetAll")) {
                connection.send(message.createErrorReply(
                    QDBusError::NotSupported,
                    QStringLiteral(
                        "All properties at once are not offered; ask for each with Get")));
                return true;
            }
            const QString expected = inSignature(message);
            if (!expected.isNull() && message.signature() != expected) {
                connection.send(message.createErrorReply(
                    QDBusError::InvalidArgs, message.member() + QStringLiteral(" takes (") +
                                                 expected + QStringLiteral(")")));
                return true;
            }
        }
        return adaptor_->handleMessage(message, connection);
    }

  private:
    // The argument types a method takes, as its object declares them; a null string when the
    // object declares no such method (the adaptor then answers as it does).
    QString inSignature(const QDBusMessage& message) {
        if (message.interface() == PropertiesInterface) {
            if (message.member() == QLatin1String("Get")) return QStringLiteral("ss");
            if (message.member() == QLatin1String("Set")) return QStringLiteral("ssv");
            return {};
        }
        const QString key = message.interface() + QLatin1Char('.') + message.member();
        const auto known = signatures_.constFind(key);
        if (known != signatures_.constEnd()) return *known;
        learn(adaptor_->introspect(message.path()));
        return signatures_.value(key);
    }

    // Notes the in-arguments of every method of the adaptor's introspection text (a list of
    // interface elements, which the bus puts into a node).
    void learn(const QString& interfaces) {
        QXmlStreamReader reader(QStringLiteral("<node>") + interfaces + QStringLiteral("</node>"));
        QString interface, method, arguments;
        while (!reader.atEnd()) {
            reader.readNext();
            const auto attribute = [&](const char* name) {
                return reader.attributes().value(QLatin1String(name)).toString();
            };
            if (reader.isStartElement()) {
                if (reader.name() == QLatin1String("interface")) {
                    interface = attribute("name");
                } else if (reader.name() == QLatin1String("method")) {
                    method = attribute("name");
                    arguments = QLatin1String(""); // not null: a method may take nothing
                } else if (reader.name() == QLatin1String("arg") && !method.isEmpty() &&
                           attribute("direction") != QLatin1String("out")) {
                    arguments += attribute("type");
                }
            } else if (reader.isEndElement() && reader.name() == QLatin1String("method")) {
                signatures_.insert(interface + QLatin1Char('.') + method, arguments);
                method.clear();
            }
        }
    }

    QPointer<QDBusVirtualObject> adaptor_;
    QHash<QString, QString> signatures_; // "interface.method" -> in-signature
};

// Puts the guard in front of the adaptor whenever accessibility comes on: the toolkit registers
// its adaptor just after it announces the change, so the guard follows on the next turn of the
// event loop.
class GuardInstaller final : public QObject, public QAccessible::ActivationObserver {
  public:
    explicit GuardInstaller(QObject* parent) : QObject(parent) {
        QAccessible::installActivationObserver(this);
        if (QAccessible::isActive()) QTimer::singleShot(0, this, [this] { install(); });
    }
    ~GuardInstaller() override { QAccessible::removeActivationObserver(this); }

    void accessibilityActiveChanged(bool active) override {
        if (active) QTimer::singleShot(0, this, [this] { install(); });
    }

  private:
    void install() {
        QDBusConnection bus(A11yConnection);
        if (!bus.isConnected()) return;
        QObject* registered = bus.objectRegisteredAt(AccessiblePath);
        auto* adaptor = qobject_cast<QDBusVirtualObject*>(registered);
        if (!adaptor || dynamic_cast<AdaptorGuard*>(registered)) return;
        bus.unregisterObject(AccessiblePath);
        auto* guard = new AdaptorGuard(adaptor, this);
        if (!bus.registerVirtualObject(AccessiblePath, guard, QDBusConnection::SubPath)) {
            delete guard;
            bus.registerVirtualObject(AccessiblePath, adaptor, QDBusConnection::SubPath);
        }
    }
};

} // namespace

void guardAccessibilityBus(QObject* parent) {
    new GuardInstaller(parent);
}

} // namespace vexa

#else

namespace vexa {

void guardAccessibilityBus(QObject*) {}

} // namespace vexa

#endif
