/* The effect record of a Trommik2 plug-in. HostContext.plugin addresses it after
 * an open; a host may read it to learn the plug-in's identity, and call its
 * setParameter and getParameter with the numbers of control_ids.h (for example
 * to trigger tracks from MIDI notes). Hosts never write the record's fields.
 *
 * The dispatcher takes one opcode from hosts: 19, editor idle, which a host
 * sends from its user-interface thread at least every 40 ms while the editor is
 * open (the idle contract of host_api.h): the module then takes in its X events
 * and runs the editor's idle work. */
#ifndef TROMMIK2_EFFECT_RECORD_H
#define TROMMIK2_EFFECT_RECORD_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct AEffect;

typedef intptr_t (*AEffectDispatcherProc)(struct AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                          void* ptr, float opt);
typedef void (*AEffectProcessProc)(struct AEffect* effect, float** inputs, float** outputs, int32_t frames);
typedef void (*AEffectSetParameterProc)(struct AEffect* effect, int32_t index, float value);
typedef float (*AEffectGetParameterProc)(struct AEffect* effect, int32_t index);

/* The effect record in its published layout. */
struct AEffect {
    int32_t magic; /* 'VstP' */
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    int32_t numPrograms;
    int32_t numParams;
    int32_t numInputs;
    int32_t numOutputs;
    int32_t flags;
    intptr_t resvd1;
    intptr_t resvd2;
    int32_t initialDelay;
    int32_t realQualities;
    int32_t offQualities;
    float ioRatio;
    void* object;
    void* user;
    int32_t uniqueID; /* 'ZK15' */
    int32_t version;
    AEffectProcessProc processReplacing;
    char future[60];
};

enum {
    effFlagsHasEditor = 1 << 0,
    effFlagsHasClip = 1 << 1,
    effFlagsHasVu = 1 << 2,
    effFlagsCanMono = 1 << 3,
    effFlagsCanReplacing = 1 << 4,
    effFlagsIsSynth = 1 << 8
};

#ifdef __cplusplus
}
#endif

#endif
