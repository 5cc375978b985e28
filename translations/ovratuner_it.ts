<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>NavigationBar</name>
    <message>
        <source>Done</source>
        <translation>Fine</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>No microphone</source>
        <translation>Nessun microfono</translation>
    </message>
    <message>
        <source>Chosen microphone missing</source>
        <translation>Microfono scelto non trovato</translation>
    </message>
    <message>
        <source>Input lost, retrying</source>
        <translation>Ingresso perso, riprovo</translation>
    </message>
    <message>
        <source>Listening paused</source>
        <translation>Ascolto in pausa</translation>
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
        <translation>Mezzo tono sotto</translation>
    </message>
    <message>
        <source>Whole step down</source>
        <translation>Un tono sotto</translation>
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
        <translation>Open G</translation>
    </message>
    <message>
        <source>Open D</source>
        <translation>Open D</translation>
    </message>
    <message>
        <source>Open E</source>
        <translation>Open E</translation>
    </message>
</context>
<context>
    <name>ovra::OvraSettings</name>
    <message>
        <source>Options</source>
        <translation>Opzioni</translation>
    </message>
    <message>
        <source>Less sensitive</source>
        <translation>Meno sensibile</translation>
    </message>
    <message>
        <source>More sensitive</source>
        <translation>Più sensibile</translation>
    </message>
    <message>
        <source>Fine tuning</source>
        <extracomment>Readings in tenths of a cent; the row also shows &quot;0.1 ¢&quot;. Keep it short.</extracomment>
        <translation>Precisione</translation>
    </message>
    <message>
        <source>Reset to default values</source>
        <translation>Ripristina tutto</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Volume sensitivity</source>
        <translation>Sensibilità</translation>
    </message>
    <message>
        <source>Reactivity</source>
        <translation>Reattività</translation>
    </message>
    <message>
        <source>Tuning</source>
        <translation>Accordatura</translation>
    </message>
    <message>
        <source>Reference pitch</source>
        <translation>Diapason</translation>
    </message>
    <message>
        <source>Low</source>
        <extracomment>Reactivity of the needle: calm, follows slowly.</extracomment>
        <translation>Calma</translation>
    </message>
    <message>
        <source>High</source>
        <extracomment>Reactivity of the needle: lively, follows fast.</extracomment>
        <translation>Rapida</translation>
    </message>
    <message>
        <source>Visit web site</source>
        <translation>Visita il sito web</translation>
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
        <translation>OvraTuner versione %1

Programmazione:
Gli sviluppatori di OvraTuner

Grafica:
Gli sviluppatori di OvraTuner

%2
%3</translation>
    </message>
    <message>
        <source>About OvraTuner</source>
        <translation>Informazioni su OvraTuner</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Reset settings?</source>
        <translation>Ripristinare le impostazioni?</translation>
    </message>
    <message>
        <source>This will reset the settings to their default values.  Proceed?</source>
        <translation>Tutte le impostazioni torneranno ai valori iniziali. Procedere?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>ovra::TuningPicker</name>
    <message>
        <source>Tuning</source>
        <translation>Accordatura</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
</TS>
