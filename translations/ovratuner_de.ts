<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>NavigationBar</name>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>No microphone</source>
        <translation>Kein Mikrofon</translation>
    </message>
    <message>
        <source>Chosen microphone missing</source>
        <translation>Gewähltes Mikrofon fehlt</translation>
    </message>
    <message>
        <source>Input lost, retrying</source>
        <translation>Eingang verloren, neuer Versuch</translation>
    </message>
    <message>
        <source>Listening paused</source>
        <translation>Zuhören angehalten</translation>
    </message>
</context>
<context>
    <name>Tunings</name>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Half step down</source>
        <translation>Halbton tiefer</translation>
    </message>
    <message>
        <source>Whole step down</source>
        <translation>Ganzton tiefer</translation>
    </message>
    <message>
        <source>Drop D</source>
        <translation>Drop D</translation>
    </message>
    <message>
        <source>Drop C</source>
        <translation>Drop C</translation>
    </message>
    <message>
        <source>DADGAD</source>
        <translation>DADGAD</translation>
    </message>
    <message>
        <source>Open G</source>
        <translation>Offenes G</translation>
    </message>
    <message>
        <source>Open D</source>
        <translation>Offenes D</translation>
    </message>
    <message>
        <source>Open E</source>
        <translation>Offenes E</translation>
    </message>
</context>
<context>
    <name>ovra::OvraSettings</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Less sensitive</source>
        <translation>Unempfindlicher</translation>
    </message>
    <message>
        <source>More sensitive</source>
        <translation>Empfindlicher</translation>
    </message>
    <message>
        <source>Fine tuning</source>
        <extracomment>Readings in tenths of a cent; the row also shows &quot;0.1 ¢&quot;. Keep it short.</extracomment>
        <translation>Feinstimmung</translation>
    </message>
    <message>
        <source>Reset to default values</source>
        <translation>Alles zurücksetzen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über OvraTuner</translation>
    </message>
    <message>
        <source>Volume sensitivity</source>
        <translation>Empfindlichkeit</translation>
    </message>
    <message>
        <source>Reactivity</source>
        <translation>Ansprechverhalten</translation>
    </message>
    <message>
        <source>Tuning</source>
        <translation>Stimmung</translation>
    </message>
    <message>
        <source>Reference pitch</source>
        <translation>Kammerton</translation>
    </message>
    <message>
        <source>Low</source>
        <extracomment>Reactivity of the needle: calm, follows slowly.</extracomment>
        <translation>Ruhig</translation>
    </message>
    <message>
        <source>High</source>
        <extracomment>Reactivity of the needle: lively, follows fast.</extracomment>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>Visit web site</source>
        <translation>Website besuchen</translation>
    </message>
    <message>
        <source>OvraTuner version %1

Programming:
The OvraTuner developers

Graphics:
The OvraTuner developers

%2
%3</source>
        <extracomment>%1 is the version; %2 and %3, the copyright and licence notice.</extracomment>
        <translation>OvraTuner Version %1

Programmierung:
Die OvraTuner-Entwickler

Grafik:
Die OvraTuner-Entwickler

%2
%3</translation>
    </message>
    <message>
        <source>About OvraTuner</source>
        <translation>Über OvraTuner</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Reset settings?</source>
        <translation>Einstellungen zurücksetzen?</translation>
    </message>
    <message>
        <source>This will reset the settings to their default values.  Proceed?</source>
        <translation>Die Einstellungen werden auf ihre Standardwerte zurückgesetzt. Fortfahren?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ovra::TuningPicker</name>
    <message>
        <source>Tuning</source>
        <translation>Stimmung</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
</TS>
