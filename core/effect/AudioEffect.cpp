#include "AudioEffect.h"

#include <cstring>

#include "EffectEditor.h"

namespace trommik2 {

namespace {

AudioEffect* effectOf(AEffect* e) { return static_cast<AudioEffect*>(e->object); }

intptr_t dispatchEffClass(AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    AudioEffect* effect = effectOf(e);
    if (opcode == effClose) {
        effect->dispatcher(opcode, index, value, ptr, opt);
        delete effect;
        return 1;
    }
    return effect->dispatcher(opcode, index, value, ptr, opt);
}

void processClass(AEffect* e, float** inputs, float** outputs, int32_t frames) {
    effectOf(e)->process(inputs, outputs, frames);
}

void processClassReplacing(AEffect* e, float** inputs, float** outputs, int32_t frames) {
    effectOf(e)->processReplacing(inputs, outputs, frames);
}

void setParameterClass(AEffect* e, int32_t index, float value) { effectOf(e)->setParameter(index, value); }

float getParameterClass(AEffect* e, int32_t index) { return effectOf(e)->getParameter(index); }

} // namespace

AudioEffect::AudioEffect(HostCallbackFunction hostCallback, int32_t numPrograms, int32_t numParams)
    : hostCallback_(hostCallback), numPrograms_(numPrograms), numParams_(numParams) {
    cEffect_.magic = fourCharCode("VstP");
    cEffect_.dispatcher = dispatchEffClass;
    cEffect_.process = processClass;
    cEffect_.setParameter = setParameterClass;
    cEffect_.getParameter = getParameterClass;
    cEffect_.processReplacing = processClassReplacing;
    cEffect_.numPrograms = numPrograms;
    cEffect_.numParams = numParams;
    cEffect_.numInputs = 1;
    cEffect_.numOutputs = 2;
    cEffect_.ioRatio = 1.0f;
    cEffect_.object = this;
    cEffect_.uniqueID = fourCharCode("NoEf");
    cEffect_.version = 1;
}

AudioEffect::~AudioEffect() { delete editor_; }

void AudioEffect::setParameter(int32_t, float) {}

float AudioEffect::getParameter(int32_t) { return 0.0f; }

void AudioEffect::setParameterAutomated(int32_t index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::process(float**, float**, int32_t) {}

void AudioEffect::processReplacing(float**, float** outputs, int32_t frames) {
    if (frames <= 0)
        return;
    for (int32_t c = 0; c < cEffect_.numOutputs; ++c)
        std::memset(outputs[c], 0, sizeof(float) * static_cast<size_t>(frames));
}

intptr_t AudioEffect::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    switch (opcode) {
    case effGetParamDisplay: getParameterDisplay(index, static_cast<char*>(ptr)); return 0;
    case effGetParamName: getParameterName(index, static_cast<char*>(ptr)); return 0;
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: blockSize_ = static_cast<int32_t>(value); return 0;
    case effMainsChanged:
        if (value)
            resume();
        else
            suspend();
        return 0;
    case effEditGetRect: return editor_ && editor_->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen: return editor_ && editor_->open(reinterpret_cast<uintptr_t>(ptr)) ? 1 : 0;
    case effEditClose:
        if (editor_)
            editor_->close();
        return 0;
    case effEditIdle:
        if (editor_)
            editor_->idle();
        return 0;
    default: return 0;
    }
}

void AudioEffect::getParameterDisplay(int32_t, char* text) { text[0] = '\0'; }

void AudioEffect::getParameterName(int32_t, char* text) { text[0] = '\0'; }

void AudioEffect::setSampleRate(float rate) { sampleRate_ = rate; }

void AudioEffect::suspend() {}

void AudioEffect::resume() {}

void AudioEffect::setUniqueID(int32_t id) { cEffect_.uniqueID = id; }

void AudioEffect::setNumInputs(int32_t count) { cEffect_.numInputs = count; }

void AudioEffect::setNumOutputs(int32_t count) { cEffect_.numOutputs = count; }

void AudioEffect::hasVu(bool state) { setFlag(effFlagsHasVu, state); }

void AudioEffect::hasClip(bool state) { setFlag(effFlagsHasClip, state); }

void AudioEffect::canMono(bool state) { setFlag(effFlagsCanMono, state); }

void AudioEffect::canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }

float AudioEffect::getSampleRate() { return sampleRate_; }

int32_t AudioEffect::getBlockSize() { return blockSize_; }

EffectEditor* AudioEffect::getEditor() { return editor_; }

intptr_t AudioEffect::hostVendorSpecific(intptr_t arg1, intptr_t arg2, void* ptr, float opt) {
    return callHost(audioMasterVendorSpecific, static_cast<int32_t>(arg1), arg2, ptr, opt);
}

void AudioEffect::isSynth(bool state) { setFlag(effFlagsIsSynth, state); }

intptr_t AudioEffect::openWindow(VstWindow* window) { return callHost(audioMasterOpenWindow, 0, 0, window, 0.0f); }

intptr_t AudioEffect::closeWindow(VstWindow* window) { return callHost(audioMasterCloseWindow, 0, 0, window, 0.0f); }

bool AudioEffect::sizeWindow(int32_t width, int32_t height) {
    return callHost(audioMasterSizeWindow, width, height, nullptr, 0.0f) != 0;
}

void AudioEffect::setEditor(EffectEditor* editor) {
    editor_ = editor;
    setFlag(effFlagsHasEditor, editor != nullptr);
}

void AudioEffect::setFlag(int32_t flag, bool state) {
    if (state)
        cEffect_.flags |= flag;
    else
        cEffect_.flags &= ~flag;
}

intptr_t AudioEffect::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return hostCallback_ ? hostCallback_(&cEffect_, opcode, index, value, ptr, opt) : 0;
}

} // namespace trommik2
