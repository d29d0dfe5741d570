#!/usr/bin/env python3
"""Checks integrations/ against the real Vorlane.exe.

    tools/check_integrations.py ROOT [WINE PREFIX EXE]

The files must parse (PowerShell by a light structural check unless a
PowerShell is installed). With WINE PREFIX EXE, EXE is put where the files
say Vorlane.exe is, each distinct command line they and the README's
PowerShell hold is run, and its output is read as the engines read it:
JSON Lines, the summary last, each object through the Wazuh rules (an
evaluator of the elements vorlane_rules.xml uses).
"""
import json
import pathlib
import re
import shlex
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

import yaml

ARTIFACT = 'integrations/velociraptor/Custom.Windows.Vorlane.yaml'
WAZUH_CONF = 'integrations/wazuh/ossec.conf'
WAZUH_RULES = 'integrations/wazuh/vorlane_rules.xml'
SCRIPTS = ['integrations/intune/Detect-VorlaneChanges.ps1',
           'integrations/configmgr/Discover-VorlaneChanges.ps1']

# What each kind of line must raise: the rules' contract with their users.
BASE, UNTRUSTED, CHANGED, SUMMARY = '100700', '100701', '100702', '100703'

failures = []


def fail(message):
    failures.append(message)
    print('FAIL: ' + message)


def artifact(root):
    """The argv lists of the artifact's execve() calls, and its query."""
    definition = yaml.safe_load((root / ARTIFACT).read_text())
    if sorted(tool['name'] for tool in definition['tools']) != ['Vorlane32', 'Vorlane64']:
        fail(f'{ARTIFACT}: its tools are not Vorlane64 and Vorlane32')
    query = '\n'.join(source['query'] for source in definition['sources'])
    if 'parse_jsonl(' not in query or 'Generic.Utils.FetchBinary(' not in query:
        fail(f'{ARTIFACT}: the query does not fetch the tool and parse_jsonl() its output')
    argvs = [[item.strip().strip('"') for item in argv.split(',')]
             for argv in re.findall(r'argv=\[([^\]]*)\]', query)]
    return argvs, query


def wodles(root):
    found = []
    for wodle in ElementTree.parse(root / WAZUH_CONF).getroot().iter('wodle'):
        for option in ('tag', 'command', 'interval', 'timeout', 'verify_sha256'):
            if not (wodle.findtext(option) or '').strip():
                fail(f'{WAZUH_CONF}: a command wodle without {option}')
        found.append((wodle.findtext('tag'), shlex.split(wodle.findtext('command'), posix=False)))
    return found


def rules(root):
    # A rules file holds several top-level groups: Wazuh wraps it, as here.
    groups = ElementTree.fromstring('<rules>' + (root / WAZUH_RULES).read_text() + '</rules>')
    return [rule for group in groups.iter('group') for rule in group.findall('rule')]


def check_powershell(name, text):
    """Strings and comments end, brackets pair, the script's own functions are defined."""
    code = re.sub(r"<#.*?#>|#[^\n]*|'(?:[^']|'')*'|\"(?:[^\"`]|`.)*\"", "''", text, flags=re.S)
    if re.search(r"['\"](?!')", code.replace("''", '')):
        fail(f'{name}: a string or comment does not end')
    stack = []
    for c in re.sub(r"''", '', code):
        if c in '({[':
            stack.append(c)
        elif c in ')}]' and (not stack or stack.pop() != '({['[')}]'.index(c)]):
            fail(f'{name}: an unpaired {c}')
            return
    if stack:
        fail(f'{name}: {stack[-1]} is never closed')
    for called in set(re.findall(r'\b(?:Get|Invoke)-Vorlane\w*|\bJoin-Arguments\b', code)):
        if not re.search(rf'\bfunction {called}\b', code):
            fail(f'{name}: {called} is called but not defined')


def scripts(root):
    """Each script's $...Arguments arrays with its variables put in, and the scripts' text."""
    argvs, texts = {}, [(root / name).read_text() for name in SCRIPTS]
    for name, text in zip(SCRIPTS, texts):
        check_powershell(name, text)
        values = dict(re.findall(r"^\$(\w+) = '([^']*)'$", text, re.M))
        for kind, items in re.findall(r'^\$(\w+)Arguments = @\((.*)\)$', text, re.M):
            argv = [values['VorlanePath']]
            argv += [item.strip("'") if item.startswith("'") else values[item[1:]] for item in items.split(', ')]
            if argvs.setdefault(kind, argv) != argv:
                fail(f'{name}: ${kind}Arguments differs from {SCRIPTS[0]}\'s')
    shared = {re.search(r'^# --- shared.*?$(.*)^# --- end shared ---$', text, re.M | re.S) for text in texts}
    if None in shared or len({match.group(1) for match in shared}) != 1:
        fail('the PowerShell scripts no longer hold the same shared block')
    shell = shutil.which('pwsh') or shutil.which('powershell')
    for name in SCRIPTS if shell else []:
        command = (f"$e = $null; [void][Management.Automation.Language.Parser]::ParseFile('{root / name}', "
                   "[ref]$null, [ref]$e); if ($e) { $e; exit 1 }")
        if subprocess.run([shell, '-NoProfile', '-Command', command]).returncode:
            fail(f'{name}: PowerShell does not parse it')
    if not shell:
        print('No PowerShell here: the scripts had a structural check only')
    return argvs, '\n'.join(texts)


def readme(root):
    """The README's PowerShell blocks' Vorlane.exe command lines (and whether
    they pipe a baseline in), and the blocks' text."""
    blocks = re.findall(r'```powershell\n(.*?)```', (root / 'README.md').read_text(), re.S)
    lines = []
    for block in blocks:
        check_powershell('README.md', block)
        for match in re.finditer(r"(\$input \| )?& '([^']*Vorlane\.exe)' (.*?)(?: 2>&1)?(?: \||$)", block, re.M):
            lines.append((bool(match.group(1)), [match.group(2)] + match.group(3).split()))
    return lines, '\n'.join(blocks)


def fields(obj, prefix=''):
    """The fields Wazuh's JSON decoder makes of an object: names joined by dots, values as text."""
    out = {}
    for key, value in obj.items():
        if isinstance(value, dict):
            out.update(fields(value, prefix + key + '.'))
        else:
            out[prefix + key] = json.dumps(value) if isinstance(value, bool) else str(value)
    return out


def matches(rule, decoded, location):
    if rule.findtext('decoded_as', 'json') != 'json' or rule.findtext('location', '') not in location:
        return False
    for field in rule.findall('field'):
        if field.get('type') != 'pcre2':
            raise ValueError(f'rule {rule.get("id")}: only pcre2 fields are evaluated here')
        value = decoded.get(field.get('name'))
        if (value is not None and re.search(field.text, value) is not None) == (field.get('negate') == 'yes'):
            return False
    return True


def raised(all_rules, decoded, location):
    """The rule an event raises: the first root rule that matches, then the
    first of its children that matches, and so on down."""
    candidates, chosen = [r for r in all_rules if r.find('if_sid') is None], None
    while (rule := next((r for r in candidates if matches(r, decoded, location)), None)) is not None:
        chosen = rule.get('id')
        candidates = [r for r in all_rules if chosen in re.split(r'[ ,]+', r.findtext('if_sid', ''))]
    return chosen


def expected(obj):
    if obj.get('summary') is True:
        return SUMMARY if obj['exit_code'] != 0 else BASE
    if 'change' in obj:
        return CHANGED if obj['change'] != 'Updated' else BASE
    if 'signature' in obj:
        return BASE if obj['signature'].startswith('Signed (') else UNTRUSTED
    return BASE


def read_fields(all_rules, query, powershell):
    """The fields of Vorlane's lines that the rules, the artifact and the
    PowerShell read (Vorlane's are lower case)."""
    names = {field.get('name') for rule in all_rules for field in rule.findall('field')}
    variables = set(re.findall(r'\bLET (\w+)', query))
    names.update(re.findall(r'summary_rows\[0\]\.(\w+)', query))
    names.update(set(re.findall(r'\b([a-z_0-9]+(?:\.[a-z_0-9]+)?) AS [A-Z]', query)) - variables)
    names.update(set(re.findall(r'\b(?:condition|then|else)=(?:NOT )?([a-z_0-9]+(?:\.[a-z_0-9]+)?)\b', query)) - variables)
    names.update(re.findall(r'\$(?:_|summary)\.([a-z_0-9]+(?:\.[a-z_0-9]+)?)', powershell))
    names.update(re.findall(r'(?:Where|ForEach)-Object ([a-z_0-9]+)\b', powershell))
    for columns in re.findall(r'Select-Object ([^|\n]*)', powershell):
        names.update(re.findall(r'(?:^|, )([a-z_0-9]+)\b', columns))
    return names


def check_output(source, argv, run, all_rules, location):
    """The run's objects, read strictly, each raising the rule it should."""
    out = run.stdout
    if out.startswith(b'\xef\xbb\xbf') or b'\r' in out or not out.endswith(b'\n'):
        fail(f'{source}: {argv[1:]} wrote no LF-ended lines without a byte order mark '
             f'(exit code {run.returncode}, {run.stderr.decode(errors="replace")})')
        return []
    try:
        objects = [json.loads(line) for line in out.decode('utf-8').split('\n')[:-1]]
    except ValueError as error:
        fail(f'{source}: {argv[1:]} wrote a line that is not UTF-8 JSON: {error}')
        return []
    if not objects or objects[-1].get('summary') is not True or any('summary' in obj for obj in objects[:-1]):
        fail(f'{source}: the summary is not the last line, alone')
    elif objects[-1]['exit_code'] != run.returncode:
        fail(f'{source}: the summary says exit code {objects[-1]["exit_code"]}, Vorlane.exe ended with {run.returncode}')
    got = [raised(all_rules, fields(obj), location) for obj in objects]
    for obj, rule in zip(objects, got):
        if rule != expected(obj):
            fail(f'{source}: {json.dumps(obj)} raised rule {rule}, not {expected(obj)}')
    wanted = {'/verify': UNTRUSTED, '/compare': CHANGED}.get(argv[1], BASE)
    if wanted not in got:
        fail(f'{source}: {argv[1:]} raised no rule {wanted}')
    print(f'{" ".join(argv[1:])}: exit code {run.returncode}, {len(objects)} lines, rules {sorted(set(got))} [{source}]')
    return objects


def distort(path):
    """Makes the baseline differ from now: its first file gone (added since),
    a file that is no more (removed), the signed sample's bytes other (an
    update, if the signature is as before)."""
    lines = path.read_text(encoding='utf-8').split('\n')[:-1]
    files = [json.loads(line) for line in lines[:-1]]
    for obj in files:
        if obj['path'].lower().endswith('\\vorlane-signed.exe'):
            obj['sha256'] = '0' * 64
    gone = dict(files[0], path=files[0]['path'].rsplit('\\', 1)[0] + '\\vorlane-removed-since.dll')
    path.write_text(''.join(json.dumps(obj) + '\n' for obj in files[1:] + [gone]) + lines[-1] + '\n', encoding='utf-8')


def run_all(wine, prefix, exe, commands, all_rules, read):
    def unix(windows_path):
        return pathlib.Path(prefix, 'drive_c', *windows_path[3:].split('\\'))

    def run(argv, stdin=None):
        # A bound against a Wine that hangs, not a measure of speed.
        return subprocess.run([wine] + argv, input=stdin, capture_output=True, timeout=600)

    exe_path = commands['save'][0]
    folder = unix(exe_path).parent
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    shutil.copyfile(exe, unix(exe_path))
    try:
        run_commands(unix, run, exe_path, commands, all_rules, read)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def run_commands(unix, run, exe_path, commands, all_rules, read):
    baseline = commands['save'][2]
    saving = run(commands['save'])
    if saving.returncode not in (0, 4) or not unix(baseline).is_file():
        fail(f'{SCRIPTS[0]}: {commands["save"][1:]} saved no baseline (exit code {saving.returncode})')
        return
    distort(unix(baseline))

    # One run for each distinct command line, said with every file that holds it.
    sources = {}
    for source, location, argv in commands['stdout']:
        sources.setdefault(tuple(argv), (location, []))[1].append(source)
    seen, objects = set(sources), []
    for argv, (location, names) in sources.items():
        objects += check_output(', '.join(names), list(argv), run(list(argv)), all_rules, 'command_' + location)
    # The README pipes the baseline in as PowerShell pipes lines: CR LF after each.
    for stdin, argv in commands['readme']:
        argv = [exe_path if arg.endswith('Vorlane.exe') else arg for arg in argv]
        reports = [f'C:\\vorlane-readme-{arg[1:]}.jsonl' for arg in argv if arg.startswith('$')]
        argv = [f'C:\\vorlane-readme-{arg[1:]}.jsonl' if arg.startswith('$') else arg for arg in argv]
        if (tuple(argv), stdin) in seen or tuple(argv) in seen:
            continue
        seen.add((tuple(argv), stdin))
        done = run(argv, unix(baseline).read_bytes().replace(b'\n', b'\r\n') if stdin else None)
        for report in reports:
            done.stdout = unix(report).read_bytes() if unix(report).is_file() else b''
            unix(report).unlink(missing_ok=True)
        objects += check_output('README.md', argv, done, all_rules, 'command_vorlane')

    written = {'.'.join(name.split('.')[:i]) for obj in objects for name in fields(obj)
               for i in range(1, name.count('.') + 2)}
    if read - written:
        fail(f'fields read but never written by Vorlane: {sorted(read - written)}')


def main():
    root = pathlib.Path(sys.argv[1])
    artifact_argvs, query = artifact(root)
    all_rules = rules(root)
    script_argvs, script_text = scripts(root)
    readme_lines, readme_text = readme(root)
    exe_path, baseline = script_argvs['Verify'][0], script_argvs['Verify'][2]
    # The wodles first: a line's location, which the rules match, is their tag's.
    stdout = [(f'{WAZUH_CONF} ({tag})', tag, argv) for tag, argv in wodles(root)]
    stdout += [(f'{SCRIPTS[0]}', 'vorlane', script_argvs['Compare'])]
    names = {'OSPath': exe_path, 'baseline_file': baseline}
    stdout += [(ARTIFACT, 'vorlane', [names.get(item, item) for item in argv]) for argv in artifact_argvs]
    if len(stdout) != 5 or len(readme_lines) < 3 or any(argv[0] != exe_path for _, _, argv in stdout):
        fail(f'not the command lines expected: {stdout} {readme_lines}')
    elif len(sys.argv) == 5:
        commands = {'save': script_argvs['Verify'], 'stdout': stdout, 'readme': readme_lines}
        run_all(*sys.argv[2:], commands, all_rules, read_fields(all_rules, query, script_text + readme_text))
    if failures:
        print(f'{len(failures)} failed')
        return 1
    print("The integrations' files parse" + (', and their command lines ran' if len(sys.argv) == 5 else ''))
    return 0


if __name__ == '__main__':
    sys.exit(main())
