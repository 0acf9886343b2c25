// Machine-wide actions (HKLM values, services, system files) that a standard user's monitor
// may not take itself. Each is tried here first; when that does nothing it is handed, whole,
// to the explorer started for administrator consent ("runas"), which does the same action
// and answers with its exit code. The job never writes history or marks anything known:
// that is the caller's, in the user's own profile, once the result is in.
#pragma once
#include <string>
#include <vector>

enum class MachineJobKind {
  UpdateMode,
  Prefix,
  StartupRemove,
  ServiceReject,
  SystemFileRestore,
  ActiveXKill,
  IEHelperRemove,
  FileTypeRestore,
  PointRemove,
  StartupRestore,
  UndoRestore,
};

struct MachineJob {
  MachineJobKind kind;
  std::vector<std::string> fields;
};

// Result bits of a job: 0 is "nothing was done".
inline constexpr int kMachineJobDone = 1;

MachineJob MachineJobUpdateMode(int mode);
MachineJob MachineJobPrefix(const char* prefix);
MachineJob MachineJobStartupRemove(const char* title, const char* command, const char* key,
                                   int code);
MachineJob MachineJobServiceReject(const char* displayName);
MachineJob MachineJobSystemFileRestore(const char* name, const char* savedCopy);
MachineJob MachineJobActiveXKill(const char* clsid);
// The add-on is named by its kind (900-902) and key; the job finds it under HKLM itself.
MachineJob MachineJobIEHelperRemove(int code, const char* key);
// Names the extension, its source and the account whose store keeps the association to put
// back; the job reads the ProgID and command from that store, never from its command line.
MachineJob MachineJobFileTypeRestore(const char* ext, int source);
// Names an entry of a machine-wide value place by its code, item key and item (the command as
// listed); the job finds the place's key and value through the place table itself.
MachineJob MachineJobPointRemove(int code, const char* key, const char* command);
// A removed machine-wide startup entry written back as its history line names it; the job
// takes only the machine places a removal could have needed it for.
MachineJob MachineJobStartupRestore(const char* title, const char* command, const char* key,
                                    int code);
// Names a record of this account's undo store by its number, and the account; the job reads
// the record from that store and puts back only what one machine-wide action changes.
MachineJob MachineJobUndoRestore(unsigned long seq);

// With this process's rights; the job's result.
int MachineJobDo(const MachineJob& job);
// Starts the explorer with "runas" and the job on its command line and waits for it; its
// exit code, 0 when consent was refused, the start failed or the job did nothing.
int MachineJobHandOver(const MachineJob& job);
// False when the tests refuse this process's own attempts, to stand for a standard user.
bool MachineJobDirectAllowed();
// MachineJobDo, then MachineJobHandOver when that did nothing.
int MachineJobRun(const MachineJob& job);
// The explorer's side: the job its command line carries, run here; 0 for none or a bad one.
int MachineJobFromCommandLine(const char* commandLine);
// One notice naming what could not be done and that it will be asked about again.
void MachineJobTellFailure(const MachineJob& job, const char* itemName);
