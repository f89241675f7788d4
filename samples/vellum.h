#ifndef LIBRARIES_VELLUM_H
#define LIBRARIES_VELLUM_H
/*
**  vellum.library: reading scrolls line by line
**
**  A sample header written for Vellumscanner.
*/

#ifndef EXEC_TYPES_H
#include <exec/types.h>
#endif

struct Scroll;   /* private to the library */

/* What ScrollInfo() fills in */
struct ScrollInfo
{
    ULONG  si_Lines;      /* lines read so far */
    ULONG  si_Bytes;      /* bytes read so far */
    STRPTR si_Name;       /* the name the scroll was opened with */
    UWORD  si_Flags;      /* SIF_ flags below */
};

#define SIF_EOF      (1<<0)   /* the end has been reached */
#define SIF_LATIN1   (1<<1)   /* the text is ISO-8859-1 */

/* Tags for OpenScroll() */
#define VSA_Dummy     (TAG_USER + 0x4000)
#define VSA_TabSize   (VSA_Dummy + 1)   /* (ULONG) columns per tab */
#define VSA_Buffer    (VSA_Dummy + 2)   /* (ULONG) bytes to read ahead */

struct ScrollLine {
    struct MinNode sl_Node;
    STRPTR         sl_Text;     /* NUL-terminated, without the newline */
    ULONG          sl_Number;   /* counted from 1 */
};

#endif /* LIBRARIES_VELLUM_H */
