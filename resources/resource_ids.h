/* Numeric IDs of Movaro's RCDATA resources, shared by the C++ sources and Movaro.rc (windres),
 * so: preprocessor macros only. Load them with FindResource(..., MAKEINTRESOURCE(id), RT_RCDATA).
 */
#ifndef MOVARO_RESOURCE_IDS_H
#define MOVARO_RESOURCE_IDS_H

/* The support QR code as a baseline JPEG (430 x 437). */
#define IDR_SUPPORT_QR_JPEG 101
/* The support QR code as an 8-bit RGB PNG (637 x 637). */
#define IDR_SUPPORT_QR_PNG 102

#endif
