# ConfigMgr configuration item, discovery script (data type String): compares
# this machine's protected files with the baseline it saved at its first
# audit and prints one line. Compliance rule: the value returned "Begins with"
# "Compliant:"; anything else (more than updates differ, or the comparison
# could not be made whole) is non-compliant, and the line says why.
# Run as SYSTEM, as a 64-bit process; Vorlane.exe (x86_64, or i686 on 32-bit
# Windows) is installed to C:\ProgramData\Vorlane by an application of its own.

# --- shared with intune/Detect-VorlaneChanges.ps1 ---
$VorlanePath = 'C:\ProgramData\Vorlane\Vorlane.exe'
$BaselinePath = 'C:\ProgramData\Vorlane\baseline.jsonl'
$VerifyArguments = @('/verify', $BaselinePath, '/all', '/json')
$CompareArguments = @('/compare', $BaselinePath, '-', '/json')

# Start-Process joins its arguments with spaces and quotes none of them.
function Join-Arguments([string[]] $Arguments) {
    ($Arguments | ForEach-Object { if ($_ -match '\s') { '"' + $_ + '"' } else { $_ } }) -join ' '
}

# Runs Vorlane.exe, its standard output and error in files (it is a windowed
# program: Start-Process -Wait is what waits for it), and returns its exit
# code and the JSON objects of its standard output, the summary last.
function Invoke-Vorlane([string[]] $Arguments) {
    $out = [IO.Path]::GetTempFileName()
    $err = [IO.Path]::GetTempFileName()
    try {
        $run = Start-Process -FilePath $VorlanePath -ArgumentList (Join-Arguments $Arguments) `
            -RedirectStandardOutput $out -RedirectStandardError $err -Wait -PassThru
        [pscustomobject]@{
            ExitCode = $run.ExitCode
            Objects  = @(Get-Content -LiteralPath $out -Encoding UTF8 | Where-Object { $_ } | ForEach-Object { $_ | ConvertFrom-Json })
            Message  = (Get-Content -LiteralPath $err -Encoding UTF8 -Raw)
        }
    } finally {
        Remove-Item -LiteralPath $out, $err -ErrorAction SilentlyContinue
    }
}

# One line that says how the comparison went, and whether that is a concern:
# anything but updates, or a comparison that was not made whole.
function Get-VorlaneComparison {
    if (-not (Test-Path -LiteralPath $VorlanePath)) {
        return [pscustomobject]@{ Concern = $true; Line = "Vorlane.exe is not installed at $VorlanePath" }
    }
    if (-not (Test-Path -LiteralPath $BaselinePath)) {
        # The first run saves the baseline that later runs compare with.
        $run = Start-Process -FilePath $VorlanePath -ArgumentList (Join-Arguments $VerifyArguments) -Wait -PassThru
        $saved = $run.ExitCode -in 0, 4
        # A list that missed folders would show their files as added later.
        if (-not $saved) { Remove-Item -LiteralPath $BaselinePath -ErrorAction SilentlyContinue }
        return [pscustomobject]@{
            Concern = -not $saved
            Line    = if ($saved) { "Baseline saved to $BaselinePath" } else { "Vorlane /verify ended with exit code $($run.ExitCode): no baseline saved" }
        }
    }
    $result = Invoke-Vorlane $CompareArguments
    $summary = if ($result.Objects.Count) { $result.Objects[-1] }
    if (-not $summary -or -not $summary.summary) {
        $message = if ($result.Message) { $result.Message.Trim() } else { 'no summary' }
        return [pscustomobject]@{ Concern = $true; Line = "Vorlane /compare ended with exit code $($result.ExitCode): $message" }
    }
    $counts = $summary.counts.PSObject.Properties | Where-Object { $_.Value -gt 0 } | ForEach-Object { "$($_.Value) $($_.Name -replace '_', ' ')" }
    $differences = @($result.Objects | Where-Object { $_.change -and $_.change -ne 'Updated' }).Count
    [pscustomobject]@{
        Concern = $result.ExitCode -ne 0
        Line    = "Vorlane /compare: $differences of $($summary.files) files differ in more than an update ($(if ($counts) { $counts -join ', ' } else { 'nothing differs' })), exit code $($result.ExitCode)"
    }
}
# --- end shared ---

$comparison = Get-VorlaneComparison
# A discovery script that exits non-zero is an error, not a finding.
if ($comparison.Concern) { Write-Output "Non-compliant: $($comparison.Line)" }
else { Write-Output "Compliant: $($comparison.Line)" }
