#pragma once

#include <QIcon>
#include <QString>

#include <initializer_list>

// A picture drawn from one of the program's SVG resources, rendered once for each square size.
QIcon svg_picture(const QString& resource_path, std::initializer_list<int> sizes = {24});
