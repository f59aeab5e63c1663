/* Version, publisher and address of Movaro, kept in one place.
 * Included by both the C++ sources and Movaro.rc (windres), so: preprocessor macros only. */
#ifndef MOVARO_VERSION_H
#define MOVARO_VERSION_H

#define MOVARO_VERSION_MAJOR 1
#define MOVARO_VERSION_MINOR 0
#define MOVARO_VERSION_PATCH 0
#define MOVARO_VERSION_BUILD 0

/* The comma form is what VERSIONINFO's FILEVERSION / PRODUCTVERSION statements take. */
#define MOVARO_VERSION_RC \
  MOVARO_VERSION_MAJOR, MOVARO_VERSION_MINOR, MOVARO_VERSION_PATCH, MOVARO_VERSION_BUILD

/* The dotted string is built from the numbers so the two can never disagree. It expands to
 * adjacent literals ("1" "." "0" ...), which C++ and windres both join into "1.0.0.0". */
#define MOVARO_STRINGIZE_(x) #x
#define MOVARO_STRINGIZE(x) MOVARO_STRINGIZE_(x)
#define MOVARO_VERSION_STR                                         \
  MOVARO_STRINGIZE(MOVARO_VERSION_MAJOR)                           \
  "." MOVARO_STRINGIZE(MOVARO_VERSION_MINOR) "." MOVARO_STRINGIZE( \
      MOVARO_VERSION_PATCH) "." MOVARO_STRINGIZE(MOVARO_VERSION_BUILD)

#define MOVARO_COMPANY_STR "Brenlow"
#define MOVARO_PRODUCT_STR "Movaro"
#define MOVARO_WEBSITE_STR "https://movaro.example/"
/* The copyright and comment lines of the file's version information. */
#define MOVARO_COPYRIGHT_STR MOVARO_WEBSITE_STR " " MOVARO_COMPANY_STR

#endif
