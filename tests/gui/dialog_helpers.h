// Access to the named widgets of a dialog in the dialog tests.
#pragma once

#include <QString>
#include <QWidget>

#include <stdexcept>

// The child widget of type W named name; a missing widget fails the test through an exception.
template <typename W>
W* child(const QWidget& parent, const QString& name)
{
    W* w = parent.findChild<W*>(name);
    if (!w)
        throw std::runtime_error("no widget " + name.toStdString());
    return w;
}
