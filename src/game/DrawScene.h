// Drawing the game screen and the full-screen pictures of the other states. The main window
// calls these between BeginScene and EndScene, after it has set the view, the projection and
// the lights; the pointer and the menu are drawn by their own modules afterwards.
#pragma once

#include "platform/GameStates.h"
#include "platform/gfx/Device.h"
#include "render/Font.h"

namespace veltrane {

class TGame;
struct TScene;

// One frame of a running game on game.Device: the opaque cubes at the room's ambient first (the
// depth test then spares what they cover), the background and the room at full ambient, the score
// line (its fill follows the gauge in play; the sequences set it themselves), the bonus lamps,
// the rest of the board (TGame::DrawOverBoard) at the room's ambient, the floating score labels
// and the particle lists 5, 1, 2, 3, 4, 6. Scenery pictures are unfiltered where they show pixel
// for pixel and sampled smoothly where scaled (PictureFilter). vertexBuffer is the shared buffer
// whose range 1 the text and the particles rewrite; fonts draw the numbers and labels; totalMs
// is the frame clock the score line blinks and ticks by. Nothing without a device.
void DrawPlayScene(TGame& game, gfx::IVertexBuffer& vertexBuffer, const TFonts& fonts, double totalMs);

// The full-screen picture of a state, filtered as the scenery is, in the place of the in-game
// background: gsMenu and gsHiScores the menu background, gsGameOver and gsHelp the scene's
// GameOverPicture and HelpPicture (none without a scene). Other states draw nothing. An empty
// picture draws the quad untextured.
void DrawBackdrop(gfx::IDevice& device, TGameState state, const gfx::TextureHandle& menuBackground,
                  const TScene* scene);

} // namespace veltrane
