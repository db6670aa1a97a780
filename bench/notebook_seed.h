#pragma once

// The notebook at size that the benchmarks share: 100 000 articles of 1 KB RTF in 100 categories,
// each category's articles spread over the whole table.
#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>

#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/program_dir.h"
#include "storage/schema.h"

inline constexpr int category_count = 100;
inline constexpr int articles_per_category = 1000;

inline QString category_name(int index) {
  return QStringLiteral("分类 %1").arg(index);
}

inline QString article_title(int category, int position) {
  return category_name(category) + QStringLiteral(" 笔记%1").arg(position);
}

// An RTF document of about the given size, Chinese text written as GBK hex escapes.
inline QString rtf_of_size(int bytes) {
  QString rtf = QStringLiteral(
      "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 "
      "\\'cb\\'ce\\'cc\\'e5;}}\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs18 ");
  const QString line = QStringLiteral(
      "\\'bd\\'f1\\'cc\\'ec\\'b5\\'c4\\'b1\\'ca\\'bc\\'c7 Wrenfold keeps rich text.\\par\n");
  while (rtf.size() + line.size() + 1 < bytes)
    rtf += line;
  return rtf + QStringLiteral("}");
}

// Writes a new data.mdb at path holding the notebook, each article's RTF of about content_bytes;
// false when that failed.
inline bool seed_notebook(const QString& path, int content_bytes = 1024) {
  if (!create_empty_database(path))
    return false;
  ExternalDatabase db;
  if (!db_open_mdb(db, path, database_password))
    return false;
  Transaction transaction(db);
  const QString content = rtf_of_size(content_bytes);
  const QString stamp = to_text(now());
  for (int c = 1; c <= category_count; ++c) {
    db_execute(db, QStringLiteral("insert into 目录管理(目录位置,目录名称) values('%1','%2')")
                       .arg(c)
                       .arg(category_name(c)));
  }
  // Interleaved, so that a category's articles are spread over the whole table.
  for (int p = 1; p <= articles_per_category; ++p) {
    for (int c = 1; c <= category_count; ++c) {
      db_execute(db,
                 QStringLiteral("insert into 文章管理(文章所属,文章位置,文章内容,文章标题,建立时间,"
                                "修改时间) values('%1','%2',?,'%3','%4','%4')")
                     .arg(category_name(c))
                     .arg(p)
                     .arg(article_title(c, p), stamp),
                 content);
    }
  }
  return transaction.commit();
}

// Works inside the folder as the program directory, with its data/ and config/ made and the
// notebook seeded in data/data.mdb; gives that path. A benchmark has nothing to measure without
// it, so a failed seeding ends the program.
inline QString use_seeded_program_dir(const QString& folder) {
  QDir(folder).mkpath(QStringLiteral("data"));
  QDir(folder).mkpath(QStringLiteral("config"));
  set_program_dir(folder);
  const QString path = program_path(QStringLiteral("data/data.mdb"));
  if (!seed_notebook(path)) {
    std::fprintf(stderr, "seeding the database failed\n");
    std::exit(1);
  }
  return path;
}
