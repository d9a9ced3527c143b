#include "AccessibleNode.h"

#include <atspi/atspi.h>

namespace scontrix::test {

namespace {

// Takes a string libatspi hands over, and frees it.
QString take(gchar* text) {
    QString s = text ? QString::fromUtf8(text) : QString();
    g_free(text);
    return s;
}

// Drops an error libatspi reports: an object that went away reads as empty.
struct Error {
    GError* e = nullptr;
    ~Error() {
        if (e)
            g_error_free(e);
    }
    GError** operator&() { return &e; }
};

} // namespace

AccessibleNode::AccessibleNode(const AccessibleNode& other) : p_(other.p_) {
    if (p_)
        g_object_ref(p_);
}

AccessibleNode& AccessibleNode::operator=(const AccessibleNode& other) {
    if (this != &other) {
        if (other.p_)
            g_object_ref(other.p_);
        if (p_)
            g_object_unref(p_);
        p_ = other.p_;
    }
    return *this;
}

AccessibleNode::~AccessibleNode() {
    if (p_)
        g_object_unref(p_);
}

bool AccessibleNode::connectToBus() {
    static const bool connected = [] {
        if (atspi_init() < 0)
            return false;
        // Calls wait up to 5 s, 15 s while a program starts.
        atspi_set_timeout(5000, 15000);
        return true;
    }();
    return connected;
}

AccessibleNode AccessibleNode::application(qint64 pid) {
    AccessibleNode desktop(atspi_get_desktop(0));
    for (const AccessibleNode& app : desktop.children()) {
        Error error;
        if (app && static_cast<qint64>(atspi_accessible_get_process_id(app.p_, &error)) == pid) {
            // Read live, never from a cache that missed a window opening.
            atspi_accessible_set_cache_mask(app.p_, ATSPI_CACHE_NONE);
            return app;
        }
    }
    return {};
}

QString AccessibleNode::name() const {
    Error error;
    return p_ ? take(atspi_accessible_get_name(p_, &error)) : QString();
}

QString AccessibleNode::description() const {
    Error error;
    return p_ ? take(atspi_accessible_get_description(p_, &error)) : QString();
}

QString AccessibleNode::roleName() const {
    Error error;
    return p_ ? take(atspi_accessible_get_role_name(p_, &error)) : QString();
}

bool AccessibleNode::isButton() const {
    Error error;
    return p_ && atspi_accessible_get_role(p_, &error) == ATSPI_ROLE_PUSH_BUTTON;
}

bool AccessibleNode::isShowing() const {
    if (!p_)
        return false;
    AtspiStateSet* states = atspi_accessible_get_state_set(p_);
    const bool showing = states && atspi_state_set_contains(states, ATSPI_STATE_SHOWING);
    if (states)
        g_object_unref(states);
    return showing;
}

QList<AccessibleNode> AccessibleNode::children() const {
    QList<AccessibleNode> list;
    if (!p_)
        return list;
    Error error;
    const int count = atspi_accessible_get_child_count(p_, &error);
    for (int i = 0; i < count; ++i) {
        Error childError;
        AccessibleNode child(atspi_accessible_get_child_at_index(p_, i, &childError));
        if (child)
            list << child;
    }
    return list;
}

QList<AccessibleNode>
AccessibleNode::findAll(const std::function<bool(const AccessibleNode&)>& match) const {
    QList<AccessibleNode> found;
    for (const AccessibleNode& child : children()) {
        if (!child.isShowing())
            continue;
        if (match(child))
            found << child;
        found << child.findAll(match);
    }
    return found;
}

AccessibleNode AccessibleNode::find(const std::function<bool(const AccessibleNode&)>& match) const {
    const QList<AccessibleNode> found = findAll(match);
    return found.isEmpty() ? AccessibleNode() : found.first();
}

AccessibleNode AccessibleNode::button(const QString& name) const {
    return find([&](const AccessibleNode& n) { return n.isButton() && n.name() == name; });
}

AccessibleNode AccessibleNode::window(const QString& caption) const {
    for (const AccessibleNode& child : children()) {
        if (child.isShowing() && child.name() == caption)
            return child;
    }
    return {};
}

QStringList AccessibleNode::actions() const {
    QStringList names;
    AtspiAction* action = p_ ? atspi_accessible_get_action_iface(p_) : nullptr;
    if (!action)
        return names;
    Error error;
    const int count = atspi_action_get_n_actions(action, &error);
    for (int i = 0; i < count; ++i) {
        Error nameError;
        names << take(atspi_action_get_action_name(action, i, &nameError));
    }
    g_object_unref(action);
    return names;
}

bool AccessibleNode::doAction(const QString& name) const {
    const int index = static_cast<int>(actions().indexOf(name));
    AtspiAction* action = p_ && index >= 0 ? atspi_accessible_get_action_iface(p_) : nullptr;
    if (!action)
        return false;
    Error error;
    const bool done = atspi_action_do_action(action, index, &error);
    g_object_unref(action);
    return done;
}

bool AccessibleNode::setText(const QString& text) const {
    AtspiEditableText* editable = p_ ? atspi_accessible_get_editable_text_iface(p_) : nullptr;
    if (!editable)
        return false;
    Error error;
    const bool done =
        atspi_editable_text_set_text_contents(editable, text.toUtf8().constData(), &error);
    g_object_unref(editable);
    return done;
}

QString AccessibleNode::text() const {
    AtspiText* text = p_ ? atspi_accessible_get_text_iface(p_) : nullptr;
    if (!text)
        return {};
    Error error;
    QString s = take(atspi_text_get_text(text, 0, -1, &error));
    g_object_unref(text);
    return s;
}

QRect AccessibleNode::extents() const {
    AtspiComponent* component = p_ ? atspi_accessible_get_component_iface(p_) : nullptr;
    if (!component)
        return {};
    Error error;
    AtspiRect* r = atspi_component_get_extents(component, ATSPI_COORD_TYPE_SCREEN, &error);
    g_object_unref(component);
    if (!r)
        return {};
    const QRect rect(r->x, r->y, r->width, r->height);
    g_free(r);
    return rect;
}

bool AccessibleNode::grabFocus() const {
    AtspiComponent* component = p_ ? atspi_accessible_get_component_iface(p_) : nullptr;
    if (!component)
        return false;
    Error error;
    const bool done = atspi_component_grab_focus(component, &error);
    g_object_unref(component);
    return done;
}

} // namespace scontrix::test
