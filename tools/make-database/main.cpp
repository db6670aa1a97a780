#include <QCoreApplication>
#include <QTextStream>

#include "storage/schema.h"

// Writes the empty database file the program directory ships with.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 2) {
    QTextStream(stderr) << "usage: make-database <path/to/data.mdb>\n";
    return 2;
  }
  return create_empty_database(args[1]) ? 0 : 1;
}
