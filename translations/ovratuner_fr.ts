<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>NavigationBar</name>
    <message>
        <source>Done</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>No microphone</source>
        <translation>Aucun micro</translation>
    </message>
    <message>
        <source>Chosen microphone missing</source>
        <translation>Micro choisi introuvable</translation>
    </message>
    <message>
        <source>Input lost, retrying</source>
        <translation>Entrée perdue, nouvel essai</translation>
    </message>
    <message>
        <source>Listening paused</source>
        <translation>Écoute en pause</translation>
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
        <translation>Demi-ton plus bas</translation>
    </message>
    <message>
        <source>Whole step down</source>
        <translation>Un ton plus bas</translation>
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
    <name>WebPage</name>
    <message>
        <source>Tap to start listening</source>
        <translation>Touchez pour écouter</translation>
    </message>
    <message>
        <source>Microphone blocked — allow it in the browser&apos;s site settings</source>
        <translation>Micro bloqué — autorisez-le dans les paramètres du site du navigateur</translation>
    </message>
    <message>
        <source>Microphone busy — close other apps using it, then tap</source>
        <translation>Micro occupé — fermez les autres applis qui l&apos;utilisent, puis touchez</translation>
    </message>
    <message>
        <source>Microphone lost — tap to listen again</source>
        <translation>Micro perdu — touchez pour écouter à nouveau</translation>
    </message>
    <message>
        <source>The microphone needs a secure page (https://)</source>
        <translation>Le micro exige une page sécurisée (https://)</translation>
    </message>
    <message>
        <source>This browser cannot record audio</source>
        <translation>Ce navigateur ne peut pas enregistrer de son</translation>
    </message>
    <message>
        <source>This browser is too old for the tuner (no AudioWorklet)</source>
        <translation>Ce navigateur est trop ancien pour l&apos;accordeur (pas d&apos;AudioWorklet)</translation>
    </message>
    <message>
        <source>This browser cannot run the tuner (no WebAssembly)</source>
        <translation>Ce navigateur ne peut pas faire tourner l&apos;accordeur (pas de WebAssembly)</translation>
    </message>
    <message>
        <source>The tuner could not be loaded — check the connection and reload</source>
        <translation>Impossible de charger l&apos;accordeur — vérifiez la connexion et rechargez</translation>
    </message>
    <message>
        <source>The screen&apos;s layout file is damaged (%1)</source>
        <translation>Le fichier de mise en page de l&apos;écran est endommagé (%1)</translation>
    </message>
    <message>
        <source>The tuner stopped on an error — reload the page</source>
        <translation>L&apos;accordeur s&apos;est arrêté sur une erreur — rechargez la page</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Plus grave</translation>
    </message>
    <message>
        <source>Higher</source>
        <translation>Plus aigu</translation>
    </message>
</context>
<context>
    <name>ovra::OvraSettings</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Less sensitive</source>
        <translation>Moins sensible</translation>
    </message>
    <message>
        <source>More sensitive</source>
        <translation>Plus sensible</translation>
    </message>
    <message>
        <source>Fine tuning</source>
        <extracomment>Readings in tenths of a cent; the row also shows &quot;0.1 ¢&quot;. Keep it short.</extracomment>
        <translation>Précision</translation>
    </message>
    <message>
        <source>Reset to default values</source>
        <translation>Tout réinitialiser</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Volume sensitivity</source>
        <translation>Sensibilité</translation>
    </message>
    <message>
        <source>Reactivity</source>
        <translation>Réactivité</translation>
    </message>
    <message>
        <source>Tuning</source>
        <translation>Accordage</translation>
    </message>
    <message>
        <source>Reference pitch</source>
        <translation>Diapason</translation>
    </message>
    <message>
        <source>Low</source>
        <extracomment>Reactivity of the needle: calm, follows slowly.</extracomment>
        <translation>Calme</translation>
    </message>
    <message>
        <source>High</source>
        <extracomment>Reactivity of the needle: lively, follows fast.</extracomment>
        <translation>Vive</translation>
    </message>
    <message>
        <source>Visit web site</source>
        <translation>Visiter le site web</translation>
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
        <translation>OvraTuner version %1

Programmation&#xa0;:
Les développeurs d&apos;OvraTuner

Graphismes&#xa0;:
Les développeurs d&apos;OvraTuner

%2
%3</translation>
    </message>
    <message>
        <source>About OvraTuner</source>
        <translation>À propos d&apos;OvraTuner</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Reset settings?</source>
        <translation>Réinitialiser les réglages&#xa0;?</translation>
    </message>
    <message>
        <source>This will reset the settings to their default values.  Proceed?</source>
        <translation>Tous les réglages reprendront leur valeur d&apos;origine. Continuer&#xa0;?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>ovra::TuningPicker</name>
    <message>
        <source>Tuning</source>
        <translation>Accordage</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
</TS>
