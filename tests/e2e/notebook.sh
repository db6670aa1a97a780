# Sourced by the end-to-end scripts that read or seed a notebook file with the sqlcipher tool.

# The key every notebook file is opened with. Files already written rely on it, so the scripts
# spell it out here instead of taking it from the program.
notebook_key="marvek1986.."

# notebook_sql FILE STATEMENTS: runs the statements on the notebook file, prints what they select.
notebook_sql() {
  printf "PRAGMA key = '%s';\n%s\n" "$notebook_key" "$2" | sqlcipher "$1" | sed '/^ok$/d'
}
