/* The version record of every binary of the product, from one place: the
   numbers and the product's texts come from Version.h, the rest from the
   includer. A resource script writes one record per language, each under
   its LANGUAGE statement, so that Windows shows the one of the user's
   language:
     PELMORA_VERSION_RECORD(VFT_APP, "040904B0", 0x0409, "description",
                            "InternalName", "OriginalFilename") */
#ifndef PELMORA_VERSION_RECORD_H
#define PELMORA_VERSION_RECORD_H

#include "Version.h"

#define PELMORA_VERSION_RECORD(fileType, block, language, description, internalName, fileName) \
    VS_VERSION_INFO VERSIONINFO                                                            \
    FILEVERSION     PELMORA_VERSION_NUMBERS                                                \
    PRODUCTVERSION  PELMORA_VERSION_NUMBERS                                                \
    FILEFLAGSMASK   VS_FFI_FILEFLAGSMASK                                                   \
    FILEFLAGS       0                                                                      \
    FILEOS          VOS_NT_WINDOWS32                                                       \
    FILETYPE        fileType                                                               \
    FILESUBTYPE     VFT2_UNKNOWN                                                           \
    BEGIN                                                                                  \
        BLOCK "StringFileInfo"                                                             \
        BEGIN                                                                              \
            BLOCK block                                                                    \
            BEGIN                                                                          \
                VALUE "Comments",         PELMORA_BUILD_SOURCES                            \
                VALUE "CompanyName",      PELMORA_VENDOR                                   \
                VALUE "FileDescription",  description                                      \
                VALUE "FileVersion",      PELMORA_VERSION_TEXT                             \
                VALUE "InternalName",     internalName                                     \
                VALUE "LegalCopyright",   PELMORA_COPYRIGHT                                \
                VALUE "OriginalFilename", fileName                                         \
                VALUE "ProductName",      PELMORA_PRODUCT_NAME                             \
                VALUE "ProductVersion",   PELMORA_VERSION_TEXT                             \
            END                                                                            \
        END                                                                                \
        BLOCK "VarFileInfo"                                                                \
        BEGIN                                                                              \
            VALUE "Translation", language, 1200                                            \
        END                                                                                \
    END

#endif
