/* Buffered RIFF file I/O with the calling conventions of the classic multimedia
 * file functions: the same names, argument order, record layouts and flag values,
 * with fixed-width integer types. Files on disk and memory files are supported.
 *
 * Thread safety: a handle may be used by one thread at a time; distinct handles
 * are independent. All functions may be called from any thread. */
#ifndef TROMMIK2_MMIO_H
#define TROMMIK2_MMIO_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define MMIO_API __attribute__((visibility("default")))
#else
#define MMIO_API
#endif

typedef uint32_t FOURCC;
typedef struct MmioFile* HMMIO;
typedef uint32_t MMRESULT;

/* The first character sits in the least significant byte, as in the file. */
#define mmioFOURCC(c0, c1, c2, c3)                                                                                     \
    ((FOURCC)(uint8_t)(c0) | ((FOURCC)(uint8_t)(c1) << 8) | ((FOURCC)(uint8_t)(c2) << 16) |                            \
     ((FOURCC)(uint8_t)(c3) << 24))

#define FOURCC_RIFF mmioFOURCC('R', 'I', 'F', 'F')
#define FOURCC_LIST mmioFOURCC('L', 'I', 'S', 'T')
#define FOURCC_DOS mmioFOURCC('D', 'O', 'S', ' ')
#define FOURCC_MEM mmioFOURCC('M', 'E', 'M', ' ')

typedef struct _MMIOINFO {
    uint32_t dwFlags;
    FOURCC fccIOProc;    /* FOURCC_MEM selects a memory file */
    void* pIOProc;       /* unused */
    uint32_t wErrorRet;  /* error code when mmioOpen fails */
    void* htask;         /* unused */
    int32_t cchBuffer;   /* memory file: size of the buffer in bytes */
    char* pchBuffer;     /* memory file: the buffer (NULL: allocated by mmioOpen) */
    char* pchNext;       /* unused */
    char* pchEndRead;    /* unused */
    char* pchEndWrite;   /* unused */
    int32_t lBufOffset;  /* unused */
    int32_t lDiskOffset; /* unused */
    uint32_t adwInfo[3]; /* memory file: adwInfo[0] is the growth increment, 0 = fixed size */
    uint32_t dwReserved1;
    uint32_t dwReserved2;
    HMMIO hmmio;
} MMIOINFO;

typedef struct _MMCKINFO {
    FOURCC ckid;
    uint32_t cksize;
    FOURCC fccType;        /* form type of RIFF chunks, list type of LIST chunks */
    uint32_t dwDataOffset; /* offset of the data part (of the form or list type for RIFF/LIST) */
    uint32_t dwFlags;      /* MMIO_DIRTY while a created chunk's size is not yet written */
} MMCKINFO;

/* mmioOpen flags */
#define MMIO_READ 0x00000000u
#define MMIO_WRITE 0x00000001u
#define MMIO_READWRITE 0x00000002u
#define MMIO_CREATE 0x00001000u
#define MMIO_ALLOCBUF 0x00010000u

/* mmioDescend / mmioCreateChunk flags */
#define MMIO_FINDCHUNK 0x0010u
#define MMIO_FINDRIFF 0x0020u
#define MMIO_FINDLIST 0x0040u
#define MMIO_CREATERIFF 0x0020u
#define MMIO_CREATELIST 0x0040u

/* MMCKINFO.dwFlags */
#define MMIO_DIRTY 0x10000000u

#ifndef SEEK_SET
#define SEEK_SET 0
#define SEEK_CUR 1
#define SEEK_END 2
#endif

#define MMSYSERR_NOERROR 0u
#define MMIOERR_BASE 256u
#define MMIOERR_FILENOTFOUND (MMIOERR_BASE + 1)
#define MMIOERR_OUTOFMEMORY (MMIOERR_BASE + 2)
#define MMIOERR_CANNOTOPEN (MMIOERR_BASE + 3)
#define MMIOERR_CANNOTCLOSE (MMIOERR_BASE + 4)
#define MMIOERR_CANNOTREAD (MMIOERR_BASE + 5)
#define MMIOERR_CANNOTWRITE (MMIOERR_BASE + 6)
#define MMIOERR_CANNOTSEEK (MMIOERR_BASE + 7)
#define MMIOERR_CANNOTEXPAND (MMIOERR_BASE + 8)
#define MMIOERR_CHUNKNOTFOUND (MMIOERR_BASE + 9)
#define MMIOERR_UNBUFFERED (MMIOERR_BASE + 10)
#define MMIOERR_INVALIDFILE (MMIOERR_BASE + 16)

/* Opens a file (path) or a memory file (path NULL, info->fccIOProc == FOURCC_MEM).
 * Returns NULL on failure; info->wErrorRet then holds the reason. */
MMIO_API HMMIO mmioOpen(char* path, MMIOINFO* info, uint32_t flags);
/* Closes the handle (flushes files). Returns 0 or MMIOERR_CANNOTCLOSE. */
MMIO_API MMRESULT mmioClose(HMMIO handle, uint32_t flags);
/* Returns the number of bytes read (0 at the end), or -1 on error. */
MMIO_API int32_t mmioRead(HMMIO handle, char* buffer, int32_t count);
/* Returns the number of bytes written, or -1 on error. */
MMIO_API int32_t mmioWrite(HMMIO handle, const char* buffer, int32_t count);
/* Returns the new position, or -1 on error. */
MMIO_API int32_t mmioSeek(HMMIO handle, int32_t offset, int origin);
/* Fills info with the handle's state; for memory files pchBuffer and cchBuffer
 * give the buffer and its used size. */
MMIO_API MMRESULT mmioGetInfo(HMMIO handle, MMIOINFO* info, uint32_t flags);
/* Reads a chunk header at the current position, or searches for the chunk that
 * MMIO_FINDCHUNK / MMIO_FINDRIFF / MMIO_FINDLIST name, within parent when given.
 * On success the position is at the chunk's data. */
MMIO_API MMRESULT mmioDescend(HMMIO handle, MMCKINFO* chunk, const MMCKINFO* parent, uint32_t flags);
/* Leaves a chunk: completes a created chunk's size and pad byte, then moves past it. */
MMIO_API MMRESULT mmioAscend(HMMIO handle, MMCKINFO* chunk, uint32_t flags);
/* Writes a chunk header (with MMIO_CREATERIFF / MMIO_CREATELIST a form or list type). */
MMIO_API MMRESULT mmioCreateChunk(HMMIO handle, MMCKINFO* chunk, uint32_t flags);

#ifdef __cplusplus
}
#endif

#endif
