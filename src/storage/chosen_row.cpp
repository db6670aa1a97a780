#include "storage/chosen_row.h"

#include <vector>

#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/failure_log.h"

namespace {

// Up to two IDs of the rows that meet the condition: enough to tell one from several.
std::vector<qint64> ids_where(ExternalDatabase& db, const QString& table,
                              const QString& condition) {
  std::vector<qint64> ids;
  RecordSet records =
      db_query(db, QStringLiteral("select ID from ") + table + QStringLiteral(" where ") +
                       condition + QStringLiteral(" limit 2"));
  for (; !db_at_end(records); db_move_next(records))
    ids.push_back(db_read_field(records, 1).integer());
  db_close_recordset(records);
  return ids;
}

}  // namespace

std::optional<qint64> find_chosen_row(ExternalDatabase& db, const RowChoice& choice) {
  const std::vector<qint64> placed =
      ids_where(db, choice.table,
                choice.name_condition + QStringLiteral(" and ") + choice.position_column +
                    QStringLiteral("='") + to_text(choice.position) + QStringLiteral("'"));
  if (placed.size() == 1)
    return placed.front();
  // The list's positions may have gaps or repeats; a name that only one row has is still clear.
  const std::vector<qint64> named = ids_where(db, choice.table, choice.name_condition);
  if (named.size() == 1)
    return named.front();
  if (!named.empty() && !choice.action.isEmpty()) {
    log_failure(choice.action, db_file_path(db),
                QStringLiteral("more than one row has this name at position ") +
                    to_text(choice.position) + QStringLiteral("; nothing was changed"));
  }
  return std::nullopt;
}

QString where_id(qint64 id) {
  return QStringLiteral("ID='") + to_text(id) + QStringLiteral("'");
}
