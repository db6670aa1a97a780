#include "platform/skin_palette.h"

#include <QColor>
#include <QRegularExpression>

#include <array>
#include <optional>

namespace {

struct RoleName {
  const char* name;
  QPalette::ColorRole role;
};

constexpr std::array<RoleName, 20> role_names = {{
    {"window", QPalette::Window},
    {"window-text", QPalette::WindowText},
    {"base", QPalette::Base},
    {"alternate-base", QPalette::AlternateBase},
    {"text", QPalette::Text},
    {"button", QPalette::Button},
    {"button-text", QPalette::ButtonText},
    {"bright-text", QPalette::BrightText},
    {"highlight", QPalette::Highlight},
    {"highlighted-text", QPalette::HighlightedText},
    {"link", QPalette::Link},
    {"link-visited", QPalette::LinkVisited},
    {"tool-tip-base", QPalette::ToolTipBase},
    {"tool-tip-text", QPalette::ToolTipText},
    {"placeholder-text", QPalette::PlaceholderText},
    {"light", QPalette::Light},
    {"midlight", QPalette::Midlight},
    {"mid", QPalette::Mid},
    {"dark", QPalette::Dark},
    {"shadow", QPalette::Shadow},
}};

std::optional<QPalette::ColorRole> role_named(QStringView name) {
  for (const RoleName& entry : role_names)
    if (name == QLatin1String(entry.name))
      return entry.role;
  return std::nullopt;
}

}  // namespace

QPalette skin_palette(const QString& sheet, const QPalette& platform) {
  static const QRegularExpression comment(QStringLiteral(R"(/\*.*?\*/)"),
                                          QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression rule(QStringLiteral(R"((?:^|[\s}])SkinPalette\s*\{([^}]*)\})"));
  QString text = sheet;
  text.remove(comment);
  QPalette palette = platform;
  const QRegularExpressionMatch found = rule.match(text);
  if (!found.hasMatch())
    return palette;
  const QStringList declarations = found.captured(1).split(u';', Qt::SkipEmptyParts);
  // Every group first, then the disabled one, whatever the order in the rule.
  for (const bool disabled_pass : {false, true}) {
    for (const QString& declaration : declarations) {
      const qsizetype colon = declaration.indexOf(u':');
      if (colon < 0)
        continue;
      QString name = declaration.left(colon).trimmed();
      const bool disabled = name.startsWith(QLatin1String("disabled-"));
      if (disabled != disabled_pass)
        continue;
      if (disabled)
        name.remove(0, qsizetype(sizeof("disabled-") - 1));
      const std::optional<QPalette::ColorRole> role = role_named(name);
      const QColor colour = QColor::fromString(declaration.mid(colon + 1).trimmed());
      if (!role || !colour.isValid())
        continue;
      if (disabled)
        palette.setColor(QPalette::Disabled, *role, colour);
      else
        palette.setColor(QPalette::All, *role, colour);
    }
  }
  return palette;
}
