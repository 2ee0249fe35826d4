// A desktop notification service (org.freedesktop.Notifications) on the test's own
// session bus, as a desktop runs one, which keeps what it is asked to show. GIO sends
// a program's notifications there when no GTK notification service (org.gtk.Notifications,
// a GNOME desktop's) is on the bus and the program runs outside a sandbox.
#pragma once

#include <gio/gio.h>

#include <string>
#include <vector>

namespace testing_support {

class NotificationService {
 public:
  struct Notification {
    std::string summary;
    std::string body;
  };

  // Connects to the session bus on a connection of its own, as another process would.
  NotificationService() {
    gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    connection_ = g_dbus_connection_new_for_address_sync(
        address,
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    g_free(address);
    if (!connection_) return;
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kInterface, nullptr);
    static const GDBusInterfaceVTable vtable = {&MethodCall, nullptr, nullptr, {}};
    g_dbus_connection_register_object(connection_, "/org/freedesktop/Notifications",
                                      node->interfaces[0], &vtable, this, nullptr, nullptr);
    g_dbus_node_info_unref(node);
    owner_ = g_bus_own_name_on_connection(connection_, "org.freedesktop.Notifications",
                                          G_BUS_NAME_OWNER_FLAGS_NONE, &Acquired, nullptr, this,
                                          nullptr);
  }
  ~NotificationService() {
    if (owner_) g_bus_unown_name(owner_);
    if (connection_) {
      g_dbus_connection_close_sync(connection_, nullptr, nullptr);
      g_object_unref(connection_);
    }
  }
  NotificationService(const NotificationService&) = delete;
  NotificationService& operator=(const NotificationService&) = delete;

  // Whether the service owns its name on the bus, so notifications reach it.
  bool Ready() const { return ready_; }

  std::vector<Notification> shown;

 private:
  static constexpr const char* kInterface =
      "<node><interface name='org.freedesktop.Notifications'>"
      "<method name='Notify'><arg type='s' direction='in'/><arg type='u' direction='in'/>"
      "<arg type='s' direction='in'/><arg type='s' direction='in'/><arg type='s' direction='in'/>"
      "<arg type='as' direction='in'/><arg type='a{sv}' direction='in'/>"
      "<arg type='i' direction='in'/><arg type='u' direction='out'/></method>"
      "<method name='CloseNotification'><arg type='u' direction='in'/></method>"
      "<method name='GetCapabilities'><arg type='as' direction='out'/></method>"
      "<method name='GetServerInformation'><arg type='s' direction='out'/>"
      "<arg type='s' direction='out'/><arg type='s' direction='out'/>"
      "<arg type='s' direction='out'/></method>"
      "</interface></node>";

  static void Acquired(GDBusConnection*, const gchar*, gpointer self) {
    static_cast<NotificationService*>(self)->ready_ = true;
  }

  static void MethodCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                         const gchar* method, GVariant* parameters,
                         GDBusMethodInvocation* invocation, gpointer self) {
    auto& service = *static_cast<NotificationService*>(self);
    const std::string name = method;
    if (name == "Notify") {
      const gchar* summary = nullptr;
      const gchar* body = nullptr;
      g_variant_get_child(parameters, 3, "&s", &summary);
      g_variant_get_child(parameters, 4, "&s", &body);
      service.shown.push_back({summary, body});
      g_dbus_method_invocation_return_value(
          invocation, g_variant_new("(u)", static_cast<guint32>(service.shown.size())));
    } else if (name == "GetCapabilities") {
      const gchar* capabilities[] = {"body", nullptr};
      g_dbus_method_invocation_return_value(invocation, g_variant_new("(^as)", capabilities));
    } else if (name == "GetServerInformation") {
      g_dbus_method_invocation_return_value(invocation,
                                            g_variant_new("(ssss)", "test", "korvo", "1", "1.2"));
    } else {
      g_dbus_method_invocation_return_value(invocation, nullptr);
    }
  }

  GDBusConnection* connection_ = nullptr;
  guint owner_ = 0;
  bool ready_ = false;
};

}  // namespace testing_support
