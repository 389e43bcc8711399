// Prints what the independent npm reader "mdb-reader" sees in an Access file, as one JSON
// document: the database password, the user tables in catalog order and, per table, its
// columns, row count and rows. Used by the tools tests to cross-check the files our Jet
// writer produces.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const reader = new MDBReader(readFileSync(process.argv[2]));
const tables = {};
for (const name of reader.getTableNames()) {
  const table = reader.getTable(name);
  tables[name] = {
    columns: table.getColumns().map((c) => ({ name: c.name, type: c.type, size: c.size })),
    rowCount: table.rowCount,
    rows: table.getData(),
  };
}
process.stdout.write(
  JSON.stringify({ password: reader.getPassword(), tableNames: reader.getTableNames(), tables }),
);
