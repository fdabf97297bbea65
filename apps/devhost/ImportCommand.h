#pragma once

class Arguments;
class ModuleLoader;

// "import": makes instruments and a drum kit of a folder of WAV files in the
// content tree beside the module, as dropping the folder on the kit would.
int runImport(Arguments& args, const ModuleLoader& module);
void printImportHelp();
