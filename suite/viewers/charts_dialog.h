// Charts' dialog that asks for a node: the ids its template (charts.rc) and its code share.
#pragma once

#define IDD_NODE 100
#define IDC_NODE_PROMPT 1001
#define IDC_NODE_NUMBER 1002
