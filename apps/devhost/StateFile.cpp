#include "StateFile.h"

#include <cstdio>

#include <mmio.h>

#include "apps/common/HostInstance.h"
#include <platform/TempFile.h>

namespace {

const FOURCC kForm = mmioFOURCC('T', '2', 'H', 'S');
const FOURCC kStateChunk = mmioFOURCC('s', 't', 'a', 't');

bool writeState(HostInstance& instance, HMMIO file) {
    MMCKINFO riff{};
    riff.fccType = kForm;
    MMCKINFO state{};
    state.ckid = kStateChunk;
    return mmioCreateChunk(file, &riff, MMIO_CREATERIFF) == 0 && mmioCreateChunk(file, &state, 0) == 0 &&
           instance.saveStateStream(file) && mmioAscend(file, &state, 0) == 0 && mmioAscend(file, &riff, 0) == 0;
}

} // namespace

bool StateFile::save(HostInstance& instance, const std::string& path, std::string* error) {
    trommik2::TempFile temp(path);
    HMMIO file = mmioOpen(const_cast<char*>(temp.path().c_str()), nullptr, MMIO_CREATE | MMIO_READWRITE);
    if (!file) {
        *error = "cannot create " + temp.path();
        return false;
    }
    bool written = writeState(instance, file);
    bool closed = mmioClose(file, 0) == 0;
    if (!written || !closed) {
        *error = "the module did not save its state";
        return false;
    }
    return temp.commit(error);
}

bool StateFile::load(HostInstance& instance, const std::string& path, std::string* error) {
    HMMIO file = mmioOpen(const_cast<char*>(path.c_str()), nullptr, MMIO_READ);
    if (!file) {
        *error = "cannot open " + path;
        return false;
    }
    MMCKINFO riff{};
    riff.fccType = kForm;
    MMCKINFO state{};
    state.ckid = kStateChunk;
    bool found =
        mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) == 0 && mmioDescend(file, &state, &riff, MMIO_FINDCHUNK) == 0;
    bool loaded = found && instance.loadStateStream(file, state.cksize);
    mmioClose(file, 0);
    if (!found)
        *error = path + " is not a Trommik2 host state file";
    else if (!loaded)
        *error = "the module rejected the state in " + path;
    return loaded;
}
