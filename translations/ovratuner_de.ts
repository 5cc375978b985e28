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
    <name>WebPage</name>
    <message>
        <source>Tap to start listening</source>
        <translation>Tippen, um zuzuhören</translation>
    </message>
    <message>
        <source>Microphone blocked — allow it in the browser&apos;s site settings</source>
        <translation>Mikrofon gesperrt – in den Website-Einstellungen des Browsers erlauben</translation>
    </message>
    <message>
        <source>Microphone busy — close other apps using it, then tap</source>
        <translation>Mikrofon belegt – andere Apps schließen, dann tippen</translation>
    </message>
    <message>
        <source>Microphone lost — tap to listen again</source>
        <translation>Mikrofon getrennt – tippen, um wieder zuzuhören</translation>
    </message>
    <message>
        <source>The microphone needs a secure page (https://)</source>
        <translation>Das Mikrofon braucht eine sichere Seite (https://)</translation>
    </message>
    <message>
        <source>This browser cannot record audio</source>
        <translation>Dieser Browser kann keinen Ton aufnehmen</translation>
    </message>
    <message>
        <source>This browser is too old for the tuner (no AudioWorklet)</source>
        <translation>Dieser Browser ist zu alt für das Stimmgerät (kein AudioWorklet)</translation>
    </message>
    <message>
        <source>This browser cannot run the tuner (no WebAssembly)</source>
        <translation>Dieser Browser kann das Stimmgerät nicht ausführen (kein WebAssembly)</translation>
    </message>
    <message>
        <source>The tuner could not be loaded — check the connection and reload</source>
        <translation>Das Stimmgerät ließ sich nicht laden – Verbindung prüfen und neu laden</translation>
    </message>
    <message>
        <source>The screen&apos;s layout file is damaged (%1)</source>
        <translation>Die Layoutdatei des Bildschirms ist beschädigt (%1)</translation>
    </message>
    <message>
        <source>The tuner stopped on an error — reload the page</source>
        <translation>Das Stimmgerät wurde durch einen Fehler angehalten – Seite neu laden</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Tiefer</translation>
    </message>
    <message>
        <source>Higher</source>
        <translation>Höher</translation>
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
