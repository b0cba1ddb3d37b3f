/* Ids of the texts the framework itself shows. The application's string
   table supplies them, so that every text the user reads is a resource. */
#ifndef PELMORA_FRAMEWORK_STRINGS_H
#define PELMORA_FRAMEWORK_STRINGS_H

#define IDS_FRAMEWORK_UNEXPECTED_ERROR  0xEF00 /* caption */
#define IDS_FRAMEWORK_UNKNOWN_ERROR     0xEF01 /* an error without a description */
#define IDS_FRAMEWORK_ERROR_CODE        0xEF02 /* %1: a system error code without text */

#endif
