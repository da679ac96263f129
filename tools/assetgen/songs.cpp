// The four pieces, written in the music macro language of music.cpp. Programs are
// General MIDI numbers counted from 1. Each piece loops: its last bar leads back
// into its first.
#include "tools/assetgen/audio.h"

namespace {

// Title: D minor, a march with a brass tune that climbs to the relative major.
const char kTitle[] = R"(
tempo 132

macro tuneA
  o5 l8 d4. a a2 | b- a g f g2 | a4. >c c2< | b- a g e g2 |
  d4. a a4 >d4< | >d c< b- a b-4 >d4< | >c4.< b- a4 g4 | a2 c+4 e4 |
macro tuneB
  o5 l8 f4 b-4 >d4. c< | >c4< g4 >e4. d< | >d2< a2 | >f4 e4 d4 c4< |
  >d4. c< b-4 a4 | g4 a4 b-4 >c4< | >c+2 e2< | a4 e4 c+4 e4 |

macro bDm
  o2 l8 d4 d d >d4< d4
macro bBb
  o1 l8 b-4 b- b- >b-4< b-4
macro bF
  o2 l8 f4 f f >f4< f4
macro bC
  o2 l8 c4 c c >c4< c4
macro bGm
  o1 l8 g4 g g >g4< g4
macro bA
  o1 l8 a4 a a >a4< a4

macro hDm
  o4 l8 d f a >d f d< a f
macro hBb
  o3 l8 b- >d f b- >d< b- f d<
macro hF
  o4 l8 c f a >c f c< a f
macro hC
  o4 l8 c e g >c e c< g e
macro hGm
  o4 l8 d g b- >d g d< b- g
macro hA
  o4 l8 c+ e a >c+ e c+< a e

macro drum
  l8 v100 k4 v66 s16 s16 v88 s v100 k4 v108 s4
macro drumX
  l8 v112 {k x}4 v66 s16 s16 v88 s v100 k4 v108 s4
macro drumFill
  l16 v96 k v70 s s s v96 k v76 s s s v100 t t v106 m m v110 n n v116 s s

track Brass ch 1 program 62 volume 63 pan 64 reverb 50
  $tuneA | $tuneB | $tuneA | $tuneB |
track Bass ch 2 program 34 volume 61 pan 60 reverb 20
  [ $bDm $bBb $bF $bC $bDm $bBb $bGm $bA
    $bBb $bC $bDm $bDm $bBb $bC $bA $bA ]2 |
track Strings ch 3 program 49 volume 52 pan 72 reverb 70
  q8 [ {o4 d f a}1 {o4 d f b-}1 {o4 c f a}1 {o4 c e g}1 {o4 d f a}1 {o4 d f b-}1 {o4 d g b-}1 {o4 c+ e a}1
    {o4 d f b-}1 {o4 c e g}1 {o4 d f a}1 {o4 d f a}1 {o4 d f b-}1 {o4 c e g}1 {o4 c+ e a}1 {o4 c+ e a}1 ]2 |
track Harp ch 4 program 47 volume 45 pan 44 reverb 70
  v84 [ $hDm $hBb $hF $hC $hDm $hBb $hGm $hA
        $hBb $hC $hDm $hDm $hBb $hC $hA $hA ]2 |
track Drums ch 10 volume 59 reverb 40
  [ $drumX [$drum]6 $drumFill ]4 |
)";

// Setup: A minor, slow and calm, a short loop.
const char kSetup[] = R"(
tempo 96

macro m1
  o5 l8 e2 a4 b4 | >c2< a2 | g2 e4 g4 | d2. r4 |
macro m2
  o5 l8 e2 a4 b4 | >c4 d4 e4 c4< | d2 f4 a4 | g+2 b2 |
macro m3
  o5 l8 >e2 d4 c4< | a2 >c2< | b4 a4 f4 d4 | e2 g+4 b4 |

track Vibes ch 1 program 12 volume 100 pan 60 reverb 80
  $m1 $m2 $m1 $m3 |
track Bass ch 2 program 34 volume 92 pan 64 reverb 30
  o2 l2 [ a >e< f >c< c g g >d< a >e< f >c< d a e b ]2 |
track Pad ch 3 program 90 volume 78 pan 70 reverb 90
  q8 [ {o4 c e a}1 {o4 c f a}1 {o4 c e g}1 {o4 d g b}1 {o4 c e a}1 {o4 c f a}1 {o4 d f a}1 {o4 d e g+}1 ]2 |
track Drums ch 10 volume 70 reverb 50
  [ l4 v62 {k y} v44 y v56 {s y} v44 y ]15 l8 v62 {k y} v44 y v56 {s y} v44 y v50 s s v56 n t |
)";

// Stage 1: E minor at 152, square lead over a pumping bass. A A' B C A.
const char kStage1[] = R"(
tempo 152

macro a1
  o5 l8 e f+ g b >e4< b g | a g f+ g e4. r | e g >c e d c< b g | a4 f+ d a4 b >c< |
macro a2
  o5 l8 b4. g e g b >e< | >d e d< b >e2< |
macro a2end
  o5 l8 >c< b a g f+ g a f+ | d+4 f+4 b4 r4 |
macro a2alt
  o5 l8 >c e d c< b >d c< a | b2 r b >c d< |
macro bridge
  o5 l8 >e4. c< a4 >c e< | >d4. < a f+4 a >d< | >d c< b a b4 g4 | e g >c e g4 e4< |
  >f4 e d c4< a4 | b4 a g f+4 d+4 | e f+ g a b >e g b< | >a4 f+4 d+4< b4 |
macro climax
  o5 l8 >e4 g4 e d c d< | >e4 f+4 d2< | >e4< b4 g f+ e f+ | g2 b2 |
  >c4 e4 g4 e c< | >d4 f+4 a4 f+ d< | >d+4 f+4 b4 a f+< | d+2 f+4 b r |

macro bE
  o2 l8 e e >e< e e e >e< e
macro bC
  o2 l8 c c >c< c c c >c< c
macro bD
  o2 l8 d d >d< d d d >d< d
macro bB
  o1 l8 b b >b< b b b >b< b
macro bA
  o1 l8 a a >a< a a a >a< a
macro bG
  o1 l8 g g >g< g g g >g< g
macro hCD
  o2 l8 c c >c< c d d >d< d

macro rEm
  o4 l16 [e g b >e<]4
macro rC
  o4 l16 [e g >c e<]4
macro rD
  o4 l16 [f+ a >d f+<]4
macro rB
  o4 l16 [d+ f+ b >d+<]4
macro rB7
  o4 l16 [d+ a b >d+<]4
macro rAm
  o4 l16 [e a >c e<]4
macro rG
  o4 l16 [d g b >d<]4
macro rCD
  o4 l16 [e g >c e<]2 [f+ a >d f+<]2

macro sA
  {o4 e g b}1 {o4 e g b}1 {o4 e g >c}1 {o4 f+ a >d}1 {o4 e g b}1 {o4 e g b}1 {o4 e g >c}2 {o4 f+ a >d}2
macro dA
  l8 v100 {k h} v62 h v106 {s h} v62 h v96 {k h} v88 {k h} v106 {s h} v62 h
macro dX
  l8 v114 {k x} v62 h v106 {s h} v62 h v96 {k h} v88 {k h} v106 {s h} v62 h
macro dF
  l8 v100 {k h} v62 h v106 {s h} v62 h l16 v84 s v90 s v96 s v104 s v108 n n v112 t t

track Lead ch 1 program 81 volume 78 pan 64 reverb 40
  $a1 $a2 $a2end | $a1 $a2 $a2alt | $bridge | $climax | $a1 $a2 $a2end |
track Bass ch 2 program 39 volume 84 pan 64 reverb 10
  $bE $bE $bC $bD $bE $bE $hCD $bB |
  $bE $bE $bC $bD $bE $bE $hCD $bE |
  $bA $bD $bG $bC $bA $bB $bE $bB |
  $bC $bD $bE $bE $bC $bD $bB $bB |
  $bE $bE $bC $bD $bE $bE $hCD $bB |
track Strings ch 3 program 51 volume 65 pan 76 reverb 70
  q8 $sA {o4 d+ f+ b}1 | $sA {o4 e g b}1 |
  {o4 e a >c}1 {o4 f+ a >d}1 {o4 d g b}1 {o4 e g >c}1 {o4 e a >c}1 {o4 d+ f+ b}1 {o4 e g b}1 {o4 d+ a b}1 |
  {o4 e g >c}1 {o4 f+ a >d}1 {o4 e g b}1 {o4 e g b}1 {o4 e g >c}1 {o4 f+ a >d}1 {o4 d+ f+ b}1 {o4 d+ f+ b}1 |
  $sA {o4 d+ f+ b}1 |
track Arp ch 4 program 82 volume 51 pan 40 reverb 50
  q6 [r1]8 |
  $rEm $rEm $rC $rD $rEm $rEm $rCD $rEm |
  $rAm $rD $rG $rC $rAm $rB $rEm $rB7 |
  $rC $rD $rEm $rEm $rC $rD $rB $rB |
  [r1]8 |
track Drums ch 10 volume 80 reverb 30
  [ $dX [$dA]6 $dF ]5 |
)";

// Stage 2: D minor at 164, guitar lead, brass stabs and a sixteenth-note storm.
// A A' B C A B.
const char kStage2[] = R"(
tempo 164

macro a1
  o5 l8 d4 f a >d4< a f | b-4 >d f d4< b- f | g4 >c e g4 e c< | c+4 e a >c+4 e4< |
macro a2
  o5 l8 >f4 e d e4 d c< | b-4 >d4 f4 d4< | >g f e d< a g f e | d2 r a >c+ e< |
macro a2b
  o5 l8 >f4 e d e4 d c< | b-4 >d4 f4 d4< | >g f e d< a g f e | d2 e4 f4 |
macro bsec
  o5 l8 f2. d4 | e2 g2 | a2. e4 | f2 d2 | b-2. >d4< | >c2 e2< | g+2 b2 | >c+2 e4< r4 |
macro csec
  o5 l16 [d f a >d<]4 | [c e g >c<]4 | [<b- >d f b-]4 | [<a >c+ e a]4 |
  [d f a >d<]4 | [c e g >c<]4 | [<b- >d f b-]4 | l8 c+4 e4 a4 r4 |

macro bDm
  o2 l8 d d >d< d d d >d< d
macro bBb
  o1 l8 b- b- >b-< b- b- b- >b-< b-
macro bC
  o2 l8 c c >c< c c c >c< c
macro bA
  o1 l8 a a >a< a a a >a< a
macro bGA
  o1 l8 g g >g< g a a >a< a
macro bAm
  o1 l8 a a >a< a a a >a< a
macro bE
  o2 l8 e e >e< e e e >e< e
macro uDm
  o2 l16 [d d >d< d]4
macro uC
  o2 l16 [c c >c< c]4
macro uBb
  o1 l16 [b- b- >b-< b-]4
macro uA
  o1 l16 [a a >a< a]4

macro kDm
  l8 {o4 d f a}4. {o4 d f a}4. {o4 d f a}4
macro kBb
  l8 {o4 d f b-}4. {o4 d f b-}4. {o4 d f b-}4
macro kC
  l8 {o4 e g >c}4. {o4 e g >c}4. {o4 e g >c}4
macro kA
  l8 {o4 c+ e a}4. {o4 c+ e a}4. {o4 c+ e a}4
macro kGA
  l8 {o4 d g b-}4. {o4 d g b-}8 {o4 c+ e a}2
macro kAm
  l8 {o4 c e a}4. {o4 c e a}4. {o4 c e a}4
macro kE
  l8 {o4 d e g+}4. {o4 d e g+}4. {o4 d e g+}4

macro eA
  l16 v102 {k h} v48 h v68 h v48 h v108 {s h} v48 h v68 h v48 h
      v96 {k h} v48 h v92 {k h} v48 h v108 {s h} v48 h v68 h v48 h
macro eX
  l16 v116 {k x} v48 h v68 h v48 h v108 {s h} v48 h v68 h v48 h
      v96 {k h} v48 h v92 {k h} v48 h v108 {s h} v48 h v68 h v48 h
macro eF
  l16 v102 {k h} v48 h v68 h v48 h v108 {s h} v48 h v68 h v48 h
      v92 s s v100 n n v106 m m v112 t t

track Guitar ch 1 program 31 volume 78 pan 60 reverb 40
  $a1 $a2 | $a1 $a2b | $bsec | $csec | $a1 $a2 | $bsec |
track Bass ch 2 program 40 volume 88 pan 64 reverb 10
  $bDm $bBb $bC $bA $bDm $bBb $bGA $bDm |
  $bDm $bBb $bC $bA $bDm $bBb $bGA $bDm |
  $bBb $bC $bAm $bDm $bBb $bC $bE $bA |
  $uDm $uC $uBb $uA $uDm $uC $uBb $uA |
  $bDm $bBb $bC $bA $bDm $bBb $bGA $bDm |
  $bBb $bC $bAm $bDm $bBb $bC $bE $bA |
track Brass ch 3 program 63 volume 66 pan 74 reverb 50
  [ $kDm $kBb $kC $kA $kDm $kBb $kGA $kDm ]2 |
  $kBb $kC $kAm $kDm $kBb $kC $kE $kA |
  $kDm $kC $kBb $kA $kDm $kC $kBb $kA |
  $kDm $kBb $kC $kA $kDm $kBb $kGA $kDm |
  $kBb $kC $kAm $kDm $kBb $kC $kE $kA |
track Drums ch 10 volume 84 reverb 30
  [ $eX [$eA]6 $eF ]6 |
)";

}  // namespace

const SongSource kSongs[4] = {
    {"JOP1.MID", kTitle},
    {"JSET1.MID", kSetup},
    {"JBGM1.MID", kStage1},
    {"JBGM2.MID", kStage2},
};
