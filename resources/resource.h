/* Resource and control ids, shared by the resource script and the code. */
#ifndef PELMORA_RESOURCE_H
#define PELMORA_RESOURCE_H

#define IDD_ABOUTBOX              100
#define IDS_ABOUTBOX              101
#define IDD_PELMORA_CONFIG        102
#define IDR_MAINFRAME             128
#define IDS_HELP_TEXT             129
#define IDS_HELP_CAPTION          130
#define IDS_WRITE_FAILED          131
#define IDS_SWITCH_MOH_ON         132
#define IDS_SWITCH_MOH_OFF        133
#define IDS_STORE_ACCEPT          134
#define IDS_STORE_RESUME          135
#define IDS_STORE_REJECT          136
#define IDS_START_CAPTION         137
#define IDS_START_CONTROLS_FAILED 138
#define IDS_START_DIALOG_FAILED   139
#define IDS_NAME_ACCEPT_APPLY     140
#define IDS_NAME_ACCEPT_CLEAR     141
#define IDS_NAME_ACCEPT_RESTORE   142
#define IDS_NAME_ACCEPT_DIGIT     143
#define IDS_NAME_ACCEPT_KEY       144
#define IDS_NAME_RESUME_APPLY     145
#define IDS_NAME_RESUME_CLEAR     146
#define IDS_NAME_RESUME_RESTORE   147
#define IDS_NAME_RESUME_DIGIT     148
#define IDS_NAME_RESUME_KEY       149
#define IDS_NAME_REJECT_APPLY     150
#define IDS_NAME_REJECT_CLEAR     151
#define IDS_NAME_REJECT_RESTORE   152
#define IDS_NAME_REJECT_DIGIT     153
#define IDS_NAME_REJECT_KEY       154
#define IDS_NAME_STAR             155
#define IDS_NAME_HASH             156
#define IDS_NAME_MODEM_LIST       157

/* The system-menu command of the About entry: below the system's own
   commands, with the low four bits clear since Windows uses them. */
#define IDM_ABOUTBOX              0x0010

/* Windows' own ids, for builds without its headers. */
#ifndef IDOK
#define IDOK                      1
#define IDCANCEL                  2
#endif
#ifndef IDC_STATIC
#define IDC_STATIC                (-1)
#endif

#define IDC_ENABLE_MOH            1004
#define IDC_DISABLE_MOH           1005

#define IDC_ACCEPT_1              1008
#define IDC_ACCEPT_2              1009
#define IDC_ACCEPT_3              1010
#define IDC_ACCEPT_4              1011
#define IDC_ACCEPT_5              1012
#define IDC_ACCEPT_6              1013
#define IDC_ACCEPT_7              1014
#define IDC_ACCEPT_8              1015
#define IDC_ACCEPT_9              1016
#define IDC_ACCEPT_STAR           1017
#define IDC_ACCEPT_0              1018
#define IDC_ACCEPT_HASH           1019

#define IDC_RESUME_1              1020
#define IDC_RESUME_2              1021
#define IDC_RESUME_3              1022
#define IDC_RESUME_4              1023
#define IDC_RESUME_5              1027
#define IDC_RESUME_6              1030
#define IDC_RESUME_7              1034
#define IDC_RESUME_8              1035
#define IDC_RESUME_9              1036
#define IDC_RESUME_STAR           1037
#define IDC_RESUME_0              1038
#define IDC_RESUME_HASH           1039

#define IDC_ACCEPT_APPLY          1024
#define IDC_ACCEPT_CLEAR          1025
#define IDC_ACCEPT_RESTORE        1026
#define IDC_ACCEPT_DIGIT1         1028
#define IDC_MODEM_LIST            1029
#define IDC_ACCEPT_DIGIT2         1031
#define IDC_ACCEPT_DIGIT3         1032
#define IDC_ACCEPT_DIGIT4         1033

#define IDC_RESUME_APPLY          1040
#define IDC_RESUME_CLEAR          1041
#define IDC_RESUME_RESTORE        1042
#define IDC_RESUME_DIGIT1         1043
#define IDC_RESUME_DIGIT2         1044
#define IDC_RESUME_DIGIT3         1045
#define IDC_RESUME_DIGIT4         1046
#define IDC_HANDSET_RELAY         1047

#define IDC_REJECT_1              1048
#define IDC_REJECT_2              1049
#define IDC_REJECT_3              1050
#define IDC_REJECT_4              1051
#define IDC_REJECT_5              1052
#define IDC_REJECT_6              1053
#define IDC_REJECT_7              1054
#define IDC_REJECT_8              1055
#define IDC_REJECT_9              1056
#define IDC_REJECT_STAR           1057
#define IDC_REJECT_0              1058
#define IDC_REJECT_HASH           1059

#define IDC_REJECT_APPLY          1060
#define IDC_REJECT_CLEAR          1061
#define IDC_REJECT_RESTORE        1062
#define IDC_REJECT_DIGIT1         1063
#define IDC_REJECT_DIGIT2         1064
#define IDC_REJECT_DIGIT3         1065
#define IDC_REJECT_DIGIT4         1066

#define IDC_ACCEPT_OVERRIDE       1068
#define IDC_RESUME_OVERRIDE       1069
#define IDC_REJECT_OVERRIDE       1070

#endif
