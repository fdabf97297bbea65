#pragma once

#include <cstdint>

#include "AEffect.h"

namespace trommik2 {

class EffectEditor;

// The effect base: the effect record, the dispatcher that maps opcodes onto the
// virtual operations, and the host callback. Unless a comment says otherwise an
// operation runs on the user-interface thread.
class AudioEffect {
  public:
    AudioEffect(HostCallbackFunction hostCallback, int32_t numPrograms, int32_t numParams);
    virtual ~AudioEffect();

    // 0..58 and editor indices from the user-interface thread; the host's tempo and
    // position indices from the audio thread before each block.
    virtual void setParameter(int32_t index, float value);
    virtual float getParameter(int32_t index);
    virtual void setParameterAutomated(int32_t index, float value);
    // Audio thread: process adds to the outputs, processReplacing overwrites them.
    virtual void process(float** inputs, float** outputs, int32_t frames);
    virtual void processReplacing(float** inputs, float** outputs, int32_t frames);
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    virtual void getParameterDisplay(int32_t index, char* text);
    virtual void getParameterName(int32_t index, char* text);
    virtual void setSampleRate(float rate);
    virtual void suspend();
    virtual void resume();
    virtual void setUniqueID(int32_t id);
    virtual void setNumInputs(int32_t count);
    virtual void setNumOutputs(int32_t count);
    virtual void hasVu(bool state);
    virtual void hasClip(bool state);
    virtual void canMono(bool state);
    virtual void canProcessReplacing(bool state);
    virtual float getSampleRate();
    virtual int32_t getBlockSize();
    virtual EffectEditor* getEditor();
    virtual intptr_t hostVendorSpecific(intptr_t arg1, intptr_t arg2, void* ptr, float opt);
    virtual void isSynth(bool state);
    virtual intptr_t openWindow(VstWindow* window);
    virtual intptr_t closeWindow(VstWindow* window);
    // Asks the host to give the editor's window a new size; true when it did.
    virtual bool sizeWindow(int32_t width, int32_t height);

    AEffect* getAeffect() { return &cEffect_; }
    // Attaching sets the record's has-editor flag; the effect then owns the editor.
    void setEditor(EffectEditor* editor);

  protected:
    float sampleRate_ = 44100.0f;
    EffectEditor* editor_ = nullptr;
    HostCallbackFunction hostCallback_;
    int32_t numPrograms_;
    int32_t numParams_;
    int32_t curProgram_ = 0;
    int32_t blockSize_ = 1024;
    AEffect cEffect_{};

  private:
    void setFlag(int32_t flag, bool state);
    intptr_t callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
};

} // namespace trommik2
