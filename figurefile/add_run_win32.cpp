#include "figurefile/add_run.h"

namespace figurefile {

namespace {

void tellRefusal(const AddRun& run, const AddHooks& hooks) {
    wchar_t text[512];
    refusalText(run.work, text, run.voice);
    hooks.tell(hooks.caller, Told::refusal, text);
}

// False, having told why, unless the file was read or written.
bool fileDone(FileResult result, bool writing, const AddRun& run, const AddHooks& hooks) {
    if (result == FileResult::done) {
        return true;
    }
    wchar_t text[512];
    fileResultText(result, writing, run.path, text);
    hooks.tell(hooks.caller, Told::refusal, text);
    return false;
}

bool stopped(const AddHooks& hooks) {
    return hooks.stop && hooks.stop();
}

// The character's outcome, from the caller or fitted now; false when the run ends here.
bool fitOne(AddRun& run, const AddHooks& hooks, int i, const fitter::FontFrame*& frame,
            FitOutcome& outcome) {
    AddWork& work = run.work;
    const char32_t c = work.distinct.at[i];
    if (hooks.known && hooks.known(hooks.caller, c, outcome, work.value[i])) {
        return true;
    }
    if (stopped(hooks) || (!frame && !(hooks.openFont && hooks.openFont(hooks.caller, frame)))) {
        return false;
    }
    const CharacterFit fit = fitCharacter(c, *frame, work.name[i], work.value[i], hooks.stop);
    if (fit.outcome == FitOutcome::stopped) {
        return false;
    }
    outcome = fit.outcome;
    if (hooks.fitted) {
        hooks.fitted(hooks.caller, i, fit);
    }
    return true;
}

// Refuses before the slow fitting when the file may not be written.
bool checkWritable(const AddRun& run, const AddHooks& hooks) {
    return mayWrite(run.path) || fileDone(FileResult::failed, true, run, hooks);
}

// A figure of the work is to be written.
bool anyNewFigure(const AddWork& work) {
    for (int i = 1; i <= work.distinct.count; ++i) {
        if (work.newValue[i] && work.fitted[i]) {
            return true;
        }
    }
    return false;
}

} // namespace

bool planRun(AddRun& run, const AddHooks& hooks) {
    nameCharacters(run.work);
    const FileResult read = readSettingsFile(run.path, run.file);
    if (read == FileResult::missing && run.missing == MissingFile::readsEmpty) {
        run.file.length = 0;
    } else if (!fileDone(read, false, run, hooks)) {
        return false;
    }
    if (planKeys(run.file, run.work) != Refusal::none) {
        tellRefusal(run, hooks);
        return false;
    }
    return true;
}

bool fitRun(AddRun& run, const AddHooks& hooks) {
    AddWork& work = run.work;
    const fitter::FontFrame* frame = nullptr;
    run.unmade.count = 0;
    bool finished = run.fontOpening == FontOpening::whenNeeded ||
                    (hooks.openFont && hooks.openFont(hooks.caller, frame));
    for (int i = 1; i <= work.distinct.count && finished; ++i) {
        if (!work.newValue[i]) {
            if (hooks.kept) {
                hooks.kept(hooks.caller, i);
            }
            continue;
        }
        FitOutcome outcome = FitOutcome::missing;
        finished = fitOne(run, hooks, i, frame, outcome);
        work.fitted[i] = finished && outcome == FitOutcome::fitted;
        if (finished && !work.fitted[i]) {
            run.unmade.at[++run.unmade.count] = work.distinct.at[i];
        }
    }
    if (frame && hooks.closeFont) {
        hooks.closeFont(hooks.caller);
    }
    return finished;
}

bool leaveOutUnmade(AddRun& run, const AddHooks& hooks) {
    run.made = run.work;
    if (workWithout(run.made, run.unmade, run.spell, run.work) != Refusal::none) {
        tellRefusal(run, hooks);
        return false;
    }
    nameCharacters(run.work);
    if (planKeys(run.file, run.work) != Refusal::none) {
        tellRefusal(run, hooks);
        return false;
    }
    return true;
}

bool writeRun(AddRun& run, const AddHooks& hooks) {
    WriteOutcome& outcome = run.outcome;
    writeWork(run.path, run.missing == MissingFile::readsEmpty, run.work, run.file, outcome);
    wchar_t text[512];
    backupText(outcome.backup, run.path, text);
    if (text[0] != L'\0') {
        const bool copied = outcome.backup.result == settings::BackupResult::copied;
        hooks.tell(hooks.caller, copied ? Told::backupCopied : Told::backupNotCopied, text);
    }
    if (!outcome.mayRewrite) {
        fileDone(outcome.result, false, run, hooks);
        return false;
    }
    if (run.work.refusal != Refusal::none) {
        tellRefusal(run, hooks);
        return false;
    }
    return fileDone(outcome.result, true, run, hooks);
}

bool addFigures(AddRun& run, const AddHooks& hooks) {
    if (!planRun(run, hooks) || !checkWritable(run, hooks) || !fitRun(run, hooks) ||
        !leaveOutUnmade(run, hooks)) {
        return false;
    }
    if (run.unmade.count > 0 && !anyNewFigure(run.work) && !run.spell) {
        return false;
    }
    return writeRun(run, hooks);
}

} // namespace figurefile
