// Subcommands of orbika-cli. Each returns the process exit status (2 for bad arguments).
#pragma once

int runSgp4(int argc, char** argv);
int runEphem(int argc, char** argv);
int runPasses(int argc, char** argv);
int runAllPasses(int argc, char** argv);
int runState(int argc, char** argv);
int runTrack(int argc, char** argv);
int runMatch(int argc, char** argv);
