/* The modem-on-hold settings library: finds the installed modems and keeps
 * their modem-on-hold settings. C linkage and cdecl, so that any compiler can
 * call it; the exports carry these names undecorated. */
#ifndef OVMOHREG_H
#define OVMOHREG_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && defined(OVMOHREG_BUILDING)
#define OVMOHREG_API __declspec(dllexport) __cdecl
#elif defined(_WIN32)
#define OVMOHREG_API __declspec(dllimport) __cdecl
#else
#define OVMOHREG_API
#endif

/* Size in bytes of every text field, NUL included. */
#define MODEM_TEXT_SIZE 256

/* A switch-hook sequence is up to OVMOH_SEQUENCE_MAX_LENGTH keys, each one
 * of OVMOH_KEYPAD_CHARACTERS; the writes refuse any other, and an empty
 * sequence clears the stored one. */
#define OVMOH_KEYPAD_CHARACTERS "0123456789*#"
#define OVMOH_SEQUENCE_MAX_LENGTH 4

/* One modem, as enumOstvModem fills it; every text is NUL-terminated. The
 * library reads nothing of a record given to enumOstvModem, whatever start
 * state a caller gives it; the other calls take only a record it filled. */
typedef struct ModemRecord {
    /* The modem's friendly name, or its driver's description when it has none. */
    char name[MODEM_TEXT_SIZE];
    /* The modem's port, such as "COM3"; CheckSerialModem appends
     * " (not present)" when the system does not know that port. */
    char description[MODEM_TEXT_SIZE];
    /* The name of the modem's instance key, four digits such as "0000": the
     * name by which PelmoraCtl gives and takes modems. */
    char libraryText1[MODEM_TEXT_SIZE];
    char libraryText2[MODEM_TEXT_SIZE]; /* unused, always "" */
    /* The sequences as stored, even ones that the writes would refuse; ""
     * when none is stored. */
    char acceptSequence[MODEM_TEXT_SIZE];
    char resumeSequence[MODEM_TEXT_SIZE];
    char rejectSequence[MODEM_TEXT_SIZE];
    int32_t mohEnabled; /* 1 when modem-on-hold is stored as enabled, else 0 */
    int32_t libraryCode; /* the instance number, libraryText1's digits as a number */
    /* A mark that enumOstvModem filled the record: the other calls refuse,
     * with 87, a record without it or whose libraryText1 and libraryCode
     * disagree. */
    uint32_t libraryWord;
} ModemRecord;

/* enumOstvModem's result once every modem has been passed (Windows'
 * ERROR_NO_MORE_ITEMS). A machine without the modem device class has none. */
#define OVMOH_NO_FURTHER_MODEM 259

/* enumOstvModem's result when the modems changed while it enumerated them
 * (Windows' ERROR_RETRY): since the call with *cursor = 0, a modem was
 * installed or removed, or the modem device class was deleted or made anew,
 * or a key was deleted while it was read. The records filled before may miss
 * a modem that stayed installed or hold one twice: take none of them, and
 * enumerate again from *cursor = 0. Settings stored meanwhile are no change:
 * each record holds what was stored when it was read. CheckSerialModem
 * returns it when the serial ports changed while it read them. */
#define OVMOH_MODEMS_CHANGED 1237

/* Fills *record with the next modem and returns 0. Any other result ends the
 * enumeration, and the record is not filled: OVMOH_NO_FURTHER_MODEM when
 * there is no further modem and the modems stayed as they were throughout;
 * OVMOH_MODEMS_CHANGED when they did not; 87 (ERROR_INVALID_PARAMETER) for a
 * missing record or cursor or a negative cursor; otherwise the Win32 error
 * code of a read that failed: of the modem device class (5 when it may not
 * be read), or of the next modem's key, its name, driver description or
 * port, or its settings. A failed read is never passed off as a value not
 * stored, nor is a modem that cannot be read passed over. What is not stored
 * (ERROR_FILE_NOT_FOUND), or stored with a type no installer writes, reads
 * as absent: no friendly name gives the driver's description as the name,
 * no port an empty description, no settings modem-on-hold off and empty
 * sequences. Start each enumeration
 * with *cursor = 0 and pass the same cursor, untouched, to every later call
 * of it. Enumerations may interleave, in one thread or many, any number of
 * them; one may be left unfinished, or go on after the library was unloaded
 * and loaded again: the cursor carries what its end is compared with. That
 * is a 16-bit digest of the modem device class's stamp at its start (its
 * counts of subkeys and values and the time it was last written). So a
 * class that stayed as it was never ends an enumeration with
 * OVMOH_MODEMS_CHANGED, while a change goes unnoticed only when the stamp
 * after it has the digest of the stamp before: about one change in 65,536.
 * An enumeration passes at most 32,767 subkeys of the class, and ends with
 * 234 (ERROR_MORE_DATA) on one with more. */
int OVMOHREG_API enumOstvModem(ModemRecord *record, int32_t *cursor);

/* The calls below return 0 on success, otherwise a Win32 error code; on
 * failure nothing is stored and the record is unchanged. */

/* Marks, in the description, a modem whose port the system does not know
 * (where there is no serial port map, it knows none), and returns 0. If the
 * ports cannot be read, it returns the error code and leaves the description
 * as it is: a port not known to be there is not known to be gone.
 *
 * So that listing the modems costs few registry calls, the library keeps the
 * serial ports the system knows between calls: they are read at the first
 * CheckSerialModem after a call of enumOstvModem with *cursor = 0, and serve
 * every check until the next such call, which has them read afresh: a port
 * that comes or goes meanwhile shows then. Before any enumeration, the
 * ports a check read serve the next checks only while the map's stamp (its
 * count of values and the time it was last written) shows it as it was,
 * and only if the map had been left alone for a while when they were read,
 * so that any later change moves the stamp: a check then looks up what the
 * system knows now at the cost of reading the stamp, not every port. Ports
 * that could not be read are not kept. No registry key stays open between
 * calls. What is kept is freed when
 * FreeLibrary unloads the library; at process exit the library makes no
 * call, and the process's end frees it. The calls may come from several
 * threads: a lock, held around what is kept and never during a registry
 * call, keeps them from corrupting it. */
int OVMOHREG_API CheckSerialModem(ModemRecord *record);
int OVMOHREG_API enableMOH(ModemRecord *record);
int OVMOHREG_API disableMOH(ModemRecord *record);
int OVMOHREG_API writeSwitchHookAccept(ModemRecord *record);
int OVMOHREG_API writeSwitchHookResume(ModemRecord *record);
int OVMOHREG_API writeSwitchHookReject(ModemRecord *record);

#ifdef __cplusplus
}
#endif

#endif
