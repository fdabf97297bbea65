/* The host interface of the Trommik2 instrument module.
 *
 * A host loads the module (Trommik2.syn), owns one HostContext per instance and
 * calls ZelkoraSynthesizer with an operation number and that record:
 *
 *   1  open an instance for the context          1 success, 0 failure
 *   2  close the context's instance               1 found and deleted, else 0
 *   3  open the editor                            1 opened, else 0
 *   4  close the editor                           1 (0 without an instance)
 *   5  load state from stateStream/stateSize     1 loaded, else 0
 *   6  save state to stateStream                  1 written, else 0
 *   7  render valueCount floats into outputBuffer 1
 *   8  resume                                     1
 *   10 suspend                                    1
 *   11 paint the pattern thumbnail                0
 *   12, 14, 15 queries                            2, 4, 42
 *   0, 9, 13 and anything above 15                0
 *
 * Threads: operation 7 comes from the host's audio thread, every other operation
 * from its user-interface thread. Operations on a context without an instance
 * return 0 and do nothing.
 *
 * The editor: operation 3 opens an undecorated X11 window "ZK_WRAPPER" (class
 * "ZelkVstWrapper"), transient for parentWindow, at the editor's remembered
 * place, and the editor inside it; editorWindow then holds the wrapper's id.
 * Without a display (no DISPLAY, or the server refuses) it returns 0 and nothing
 * changes. The module keeps its own X connection; Linux has no message loop that
 * host and module share, so the host owes the module this:
 *
 *   Idle contract: while an editor is open, the host calls the dispatcher of
 *   the effect record (effect_record.h) with opcode 19 (editor idle; index,
 *   value, pointer and float 0) from its user-interface thread at least every
 *   40 ms. The module takes in its X events there and runs the editor's idle
 *   work (meters, lamps, hints) at most every 40 ms. Calling it more often, or
 *   for instances without an open editor, is harmless.
 *
 * The editor's own close button closes the editor and the wrapper at the next
 * idle call and sends code 8 then 7; editorWindow reads 0 afterwards. */
#ifndef TROMMIK2_HOST_API_H
#define TROMMIK2_HOST_API_H

#include <stddef.h>
#include <stdint.h>

#include <mmio.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _cairo cairo_t;

/* Passed to the host's callback; built by the module for every call. */
typedef struct HostCallbackRecord {
    uint32_t hostIdA;
    uint32_t hostIdB;
    struct HostContext* context;
    uint32_t zero;
} HostCallbackRecord;

/* Codes the module sends: 2 play, 3 stop, 6 'DACC', 7 'RACC', 8 'DRAW'. The result is ignored. */
typedef int32_t (*HostCallback)(int32_t code, HostCallbackRecord* record);

/* One per instance, owned and filled by the host. On a 32-bit build every field sits
 * at its documented byte offset; on 64-bit the order is kept and the address-carrying
 * fields are pointer-sized. */
typedef struct HostContext {
    uint8_t reserved0[4];
    uint32_t hostIdA;          /* 4: passed back unchanged in every callback record */
    uintptr_t parentWindow;    /* 8: X11 window id under which the editor opens */
    uint32_t hostIdB;          /* 12: passed back unchanged in every callback record */
    HostCallback hostCallback; /* 16: may be null */
    uint8_t reserved1[524];
    uint32_t sampleRate; /* 544: Hz */
    uint8_t reserved2[8];
    float tempo;           /* 556: beats per minute; 0.0 renders nothing */
    float* outputBuffer;   /* 560: interleaved stereo, left first */
    int32_t valueCount;    /* 564: floats in outputBuffer, two per frame */
    int32_t position;      /* 568: playback position in samples */
    HMMIO stateStream;     /* 572: positioned at the state data */
    uint32_t stateSize;    /* 576: bytes of state to read */
    uint32_t reservedWord; /* 580: zeroed when an instance opens */
    void* plugin;          /* 584: the instance's effect record (effect_record.h); written on open */
    uint8_t reserved3[4];
    uintptr_t editorWindow; /* 592: the editor's window while it is open, else 0 */
    uint8_t reserved4[260];
    uint32_t editorFlags; /* 856: bit 31 knob mode valid, bit 13 linear, bit 12 circular */
    uint8_t reserved5[12];
    cairo_t* thumbnailDc;    /* 872: drawing surface of the thumbnail */
    int32_t thumbnailLeft;   /* 876 */
    int32_t thumbnailTop;    /* 880 */
    int32_t thumbnailWidth;  /* 884 */
    int32_t thumbnailHeight; /* 888 */
    uint8_t reserved6[8];
    int32_t thumbnailStart; /* 900: first sample of the painted range */
    int32_t thumbnailEnd;   /* 904: end of the painted range, in samples */
} HostContext;

#if UINTPTR_MAX == 0xFFFFFFFF
#ifdef __cplusplus
#define TROMMIK2_STATIC_ASSERT static_assert
#else
#define TROMMIK2_STATIC_ASSERT _Static_assert
#endif
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, hostIdA) == 4, "hostIdA");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, parentWindow) == 8, "parentWindow");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, hostIdB) == 12, "hostIdB");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, hostCallback) == 16, "hostCallback");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, sampleRate) == 544, "sampleRate");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, tempo) == 556, "tempo");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, outputBuffer) == 560, "outputBuffer");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, valueCount) == 564, "valueCount");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, position) == 568, "position");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, stateStream) == 572, "stateStream");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, stateSize) == 576, "stateSize");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, reservedWord) == 580, "reservedWord");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, plugin) == 584, "plugin");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, editorWindow) == 592, "editorWindow");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, editorFlags) == 856, "editorFlags");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, thumbnailDc) == 872, "thumbnailDc");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, thumbnailLeft) == 876, "thumbnailLeft");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, thumbnailTop) == 880, "thumbnailTop");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, thumbnailWidth) == 884, "thumbnailWidth");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, thumbnailHeight) == 888, "thumbnailHeight");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, thumbnailStart) == 900, "thumbnailStart");
TROMMIK2_STATIC_ASSERT(offsetof(HostContext, thumbnailEnd) == 904, "thumbnailEnd");
#endif

/* The module's only export. Only the low 16 bits of operation count. */
#if defined(__GNUC__)
__attribute__((visibility("default")))
#endif
int32_t
ZelkoraSynthesizer(int32_t operation, HostContext* context);

typedef int32_t (*ZelkoraSynthesizerFunction)(int32_t operation, HostContext* context);

#ifdef __cplusplus
}
#endif

#endif
