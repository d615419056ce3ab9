/* Resource ids shared by the resource script, the shell and its tests. */
#ifndef OMBRIX_IDS_H
#define OMBRIX_IDS_H

/* Controls that are never addressed */
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* Templates and icons */
#define IDD_PANEL 102
#define IDI_OMBRIX 104
#define IDD_RECENT 106

/* Panel buttons */
#define IDC_EXIT 1
#define IDC_CANCEL 2
#define IDC_INPUT 1000
#define IDC_INCARC 1004
#define IDC_ITER 1007
#define IDC_STRUCTURE_GRAPH 1010
#define IDC_DISPLACED_GRAPH 1011
#define IDC_VIEW_EDIT 1012
#define IDC_PREVIEW 1013
#define IDC_SELECT_GEOMETRY 1015
#define IDC_SELECT_LOADING 1016
#define IDC_INCARC_FILE 1017
#define IDC_INPUT_FILE 1018
#define IDC_MAX_PROCESSOR 1019
#define IDC_HELP_BUTTON 1020
#define IDC_COMPOUND_PROCESSOR 1024
#define IDC_DIAGRAMS 1025
#define IDC_ABOUT 1040
#define IDC_SELECT_RECENT 1042
#define IDC_PRINT 1044
#define IDC_COMPOUND_STRUCTURE 1046
#define IDC_USERS_GUIDE 1048

/* Panel fields, lists and boxes */
#define IDC_GEOMETRY_FILE 1001
#define IDC_OUTPUT_FILE 1002
#define IDC_LOADING_FILE 1005
#define IDC_CASE_LIST 1008
#define IDC_CASE_CAPTION 1009
#define IDC_ITER_GROUP 1014
#define IDC_SOUND_BOX 1022
#define IDC_ALL_CASES 1023
#define IDC_TEXT_FILE_LIST 1039
#define IDC_PROGRAM_STATUS 1043
#define IDC_OUTPUT_LANGUAGE 1052
#define IDC_LIST_TYPE 1053

/* Recent dialog */
#define IDC_RECENT_DONE 1
#define IDC_RECENT_CANCEL 2
#define IDC_RECENT_LIST 1041

#endif
