#pragma once

class Arguments;
class ModuleLoader;

// "export": writes an instance's state as a setup document.
int runExport(Arguments& args, const ModuleLoader& module);
void printExportHelp();
