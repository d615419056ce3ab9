#include "launch/process_table.h"

ProcessTable processTable;

void resetProcessTable() {
    processTable = ProcessTable();
}
